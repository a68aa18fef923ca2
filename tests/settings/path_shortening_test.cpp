#include "settings/path_shortening.h"

#include <gtest/gtest.h>

namespace {

TEST(PathShortening, LeadingFoldersGoBehindAnEllipsisUntilThePathFits) {
  const std::string n36(36, 'n'), n39(39, 'n'), n60(60, 'n');
  for (const auto& [path, separator, shown] :
       {std::tuple<std::string, char, std::string>{
            R"(C:\Program Files\Game Folder\Object Files\Lo Files)", '\\',
            R"(C:\...\Game Folder\Object Files\Lo Files)"},
        {R"(D:\A very long folder name that exceeds forty\Lo)", '\\', R"(D:\...\Lo)"},
        {R"(C:\Games\Lo)", '\\', R"(C:\Games\Lo)"},
        // Past "\...\" the drive goes, then the ellipsis itself.
        {"C:\\Folder\\" + n36, '\\', "...\\" + n36},
        {"C:\\Folder\\" + n39, '\\', n39},
        {"/home/user/Program Files/Game Folder/Object Files/Lo Files", '/',
         "/.../Game Folder/Object Files/Lo Files"},
        {"/a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r/s/t/u/v", '/',
         "/.../e/f/g/h/i/j/k/l/m/n/o/p/q/r/s/t/u/v"},
        {"", '/', ""},
        // A name longer than the limit is never cut, and the loop ends.
        {"/" + n60, '/', "/" + n60},
        {"C:\\" + n60, '\\', "C:\\" + n60},
        {"/a/b/" + n60, '/', n60},
        // Characters, not bytes: 38 characters in 48 bytes are shown whole.
        {"/home/j\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC/\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4"
         "/game files/lo files",
         '/',
         "/home/j\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC/\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4"
         "/game files/lo files"}}) {
    EXPECT_EQ(ShortenPathForStatus(path, separator), shown) << path;
  }
}

}  // namespace
