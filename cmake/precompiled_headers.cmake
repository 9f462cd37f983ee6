# Qt's widget headers and GoogleTest's are most of the compile time of every
# file that includes them: they are compiled once, into a header that every
# target built with the same flags shares (the compiler refuses a header made
# with other macros). Targets that do not exist in this build (no tests, no
# toolkit) are passed over.
option(TAPWRENZ_PCH "Precompile the toolkit's and the test framework's headers" ON)

# The first existing target of `targets` compiles `headers`; the others reuse it.
function(tapwrenz_share_precompiled_headers targets headers)
  set(owner)
  foreach(target IN LISTS targets)
    if(NOT TARGET ${target})
      continue()
    elseif(owner)
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
  tapwrenz_share_precompiled_headers("tapwrenz_widgets;tapwrenz_panels;tapwrenz_shell;tapwrenz"
                                     "${tapwrenz_std_headers};${tapwrenz_qt_headers}")
  # Qt's test library defines each program's own source and build folders,
  # for finding test data by name, which no test here does: one value for all
  # lets the window's test programs share a header. The command line's tests
  # also know where the program is, so they keep their own.
  if(TARGET Qt6::Test)
    get_target_property(qt_test_definitions Qt6::Test INTERFACE_COMPILE_DEFINITIONS)
    string(REPLACE "$<TARGET_PROPERTY:SOURCE_DIR>" "${PROJECT_SOURCE_DIR}/tests"
                   qt_test_definitions "${qt_test_definitions}")
    set_target_properties(Qt6::Test PROPERTIES INTERFACE_COMPILE_DEFINITIONS "${qt_test_definitions}")
  endif()
  set(tapwrenz_qt_test_headers ${tapwrenz_std_headers} ${tapwrenz_qt_headers} <QTest> <gtest/gtest.h>)
  set(tapwrenz_window_tests test_ui test_hostile test_panels_ui)
  foreach(target IN LISTS tapwrenz_window_tests)
    if(TARGET ${target})
      set_target_properties(${target} PROPERTIES QT_TESTCASE_BUILDDIR "${PROJECT_BINARY_DIR}/tests")
    endif()
  endforeach()
  tapwrenz_share_precompiled_headers("${tapwrenz_window_tests}" "${tapwrenz_qt_test_headers}")
  tapwrenz_share_precompiled_headers("test_cli" "${tapwrenz_qt_test_headers}")
  tapwrenz_share_precompiled_headers(
    "test_engine;test_sound;test_shell;test_panels;test_audio_player"
    "${tapwrenz_std_headers};<gtest/gtest.h>")
  tapwrenz_share_precompiled_headers("test_platform" "${tapwrenz_std_headers};<gtest/gtest.h>")
endif()
