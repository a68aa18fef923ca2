#pragma once

// The tools move bytes through standard input and output: the same bytes on
// every system (no line-end translation, no end-of-file character).
void UseBinaryStandardStreams();
