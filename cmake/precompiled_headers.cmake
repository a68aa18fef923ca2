# Precompiled headers for the targets that include Qt's widget headers or the
# test framework: those headers, not our code, are most of each file's
# compile time. Off with -DLO_PCH=OFF (e.g. to check each file's includes).
option(LO_PCH "Precompile the Qt and test framework headers" ON)

# ccache caches a compile that uses a precompiled header only when told
# that the header's macros and time stamps may be trusted.
function(lo_pch_launcher target)
  if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    set_target_properties(${target} PROPERTIES CXX_COMPILER_LAUNCHER
      "${CMAKE_COMMAND};-E;env;CCACHE_SLOPPINESS=pch_defines,time_macros;${CMAKE_CXX_COMPILER_LAUNCHER}")
  endif()
endfunction()

# lo_precompile(<target> <kind>...) with kinds: widgets (Qt Widgets),
# text (Qt's text document), tests (GoogleTest and GoogleMock), qtest.
function(lo_precompile target)
  if(NOT LO_PCH)
    return()
  endif()
  set(headers <algorithm> <filesystem> <functional> <memory> <optional> <string> <vector>)
  foreach(kind IN LISTS ARGN)
    if(kind STREQUAL "widgets")
      list(APPEND headers <QApplication> <QDialog> <QLabel> <QLineEdit> <QMainWindow>
                          <QPainter> <QPushButton> <QString> <QWidget>)
    elseif(kind STREQUAL "text")
      list(APPEND headers <QByteArray> <QString> <QTextCursor> <QTextDocument>)
    elseif(kind STREQUAL "tests")
      list(APPEND headers <gtest/gtest.h> <gmock/gmock.h>)
    elseif(kind STREQUAL "qtest")
      list(APPEND headers <QTest>)
    endif()
  endforeach()
  list(REMOVE_DUPLICATES headers)
  target_precompile_headers(${target} PRIVATE ${headers})
  lo_pch_launcher(${target})
endfunction()
