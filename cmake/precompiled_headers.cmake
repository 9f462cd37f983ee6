# Qt's widget headers and GoogleTest's are most of the compile time of every
# file that includes them: they are compiled once, into a header that a group
# of targets shares.
#
# The compiler takes a shared header only where every macro defined when the
# header was made is defined the same way, and macros defined only in the
# target that reuses it are not read by the header. Qt's test library defines
# each test program's own folders, and <QTest> reads them: the programs that
# use it share a header made without those macros and without <QTest>, which
# each file that needs it includes itself.
#
# Should a shared header still not fit a target (a toolkit update whose
# headers read a macro that differs between targets, a target given other
# flags), the compiler says why and reads the headers as text: a slower
# build, never a broken one.
option(TAPWRENZ_PCH "Precompile the toolkit's and the test framework's headers" ON)

# The first target of `targets` compiles `headers`; the others reuse it. A
# name that is no target here is a mistake in the list, not a target to pass
# over: the callers name only targets this configuration builds.
function(tapwrenz_share_precompiled_headers targets headers)
  set(owner)
  foreach(target IN LISTS targets)
    if(NOT TARGET ${target})
      message(FATAL_ERROR "Precompiled headers: there is no target named '${target}'")
    endif()
    # With -Werror, a header the compiler refuses would end the build.
    target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-error=invalid-pch>)
    if(owner)
      target_precompile_headers(${target} REUSE_FROM ${owner})
    else()
      set(owner ${target})
      target_precompile_headers(${target} PRIVATE ${headers})
    endif()
  endforeach()
endfunction()

if(TAPWRENZ_PCH AND NOT CMAKE_CROSSCOMPILING AND NOT TAPWRENZ_FUZZ)
  set(tapwrenz_std_headers <chrono> <functional> <map> <memory> <optional> <string> <vector>)
  set(tapwrenz_qt_headers
      <QApplication> <QCheckBox> <QClipboard> <QEvent> <QGroupBox> <QLabel> <QLineEdit>
      <QListWidget> <QMainWindow> <QMenu> <QMenuBar> <QPainter> <QPlainTextEdit> <QPointer>
      <QProgressBar> <QPushButton> <QRadioButton> <QScreen> <QSpinBox> <QString> <QTabWidget>
      <QTextBlock> <QTextCursor> <QTextDocument> <QTimer> <QWidget>)
  if(TAPWRENZ_WITH_QT)
    tapwrenz_share_precompiled_headers("tapwrenz_widgets;tapwrenz_panels;tapwrenz_shell;tapwrenz"
                                       "${tapwrenz_std_headers};${tapwrenz_qt_headers}")
  endif()
  if(TAPWRENZ_BUILD_TESTS)
    if(TAPWRENZ_WITH_QT)
      # Built with the flags of the test programs below but none of the macros
      # of Qt's test library or of the programs themselves, only to own their
      # shared header.
      file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/qt_tests_precompiled.cpp"
           CONTENT "// Owns the precompiled header of the window's test programs.\n")
      add_library(tapwrenz_qt_tests_pch OBJECT "${PROJECT_BINARY_DIR}/qt_tests_precompiled.cpp")
      target_link_libraries(tapwrenz_qt_tests_pch PRIVATE Qt6::Widgets GTest::gtest)
      tapwrenz_share_precompiled_headers(
        "tapwrenz_qt_tests_pch;test_ui;test_hostile;test_panels_ui;test_cli"
        "${tapwrenz_std_headers};${tapwrenz_qt_headers};<gtest/gtest.h>")
    endif()
    set(tapwrenz_gtest_only_tests test_engine test_sound test_shell test_panels)
    if(NOT WIN32)
      list(APPEND tapwrenz_gtest_only_tests test_audio_player)
    endif()
    tapwrenz_share_precompiled_headers("${tapwrenz_gtest_only_tests}"
                                       "${tapwrenz_std_headers};<gtest/gtest.h>")
    # Built with the position-independent code Qt asks for, unlike the above.
    tapwrenz_share_precompiled_headers("test_platform" "${tapwrenz_std_headers};<gtest/gtest.h>")
  endif()
endif()
