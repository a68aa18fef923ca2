#pragma once

#include <memory>

class TEditingSession;
class TObjCatalogue;
class ruriVizid;

// The catalogue the level set is checked and named against, as a copy a
// reader may keep off the window's thread: the open file's, once one is
// loaded; before that the one in the stored object data folder, read
// without prompting or creating anything; else none (records then carry the
// placeholder name and kinds are not checked).
std::shared_ptr<const TObjCatalogue> LevelCatalogue(const TEditingSession& session,
                                                    const ruriVizid& settings);
