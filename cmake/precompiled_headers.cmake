# Qt's widget headers and GoogleTest's are most of the compile time of every
# file that includes them; a target with several such files compiles them once
# instead. (The window's test programs cannot share one: Qt's test library
# defines each program's own folders.) Targets that do not exist in this build
# (no tests, no toolkit) are passed over.
option(TAPWRENZ_PCH "Precompile the toolkit's and the test framework's headers" ON)
if(TAPWRENZ_PCH AND NOT CMAKE_CROSSCOMPILING AND NOT TAPWRENZ_FUZZ)
  set(tapwrenz_std_headers <chrono> <functional> <map> <memory> <optional> <string> <vector>)
  set(tapwrenz_qt_headers
      <QApplication> <QCheckBox> <QClipboard> <QEvent> <QGroupBox> <QLabel> <QLineEdit>
      <QListWidget> <QMainWindow> <QMenu> <QMenuBar> <QPainter> <QPlainTextEdit> <QPointer>
      <QProgressBar> <QPushButton> <QRadioButton> <QScreen> <QSpinBox> <QString> <QTabWidget>
      <QTextBlock> <QTextCursor> <QTextDocument> <QTimer> <QWidget>)
  foreach(target tapwrenz_widgets tapwrenz_panels tapwrenz_shell)
    if(TARGET ${target})
      target_precompile_headers(${target} PRIVATE ${tapwrenz_std_headers} ${tapwrenz_qt_headers})
    endif()
  endforeach()
  foreach(target test_ui test_hostile test_cli test_panels_ui)
    if(TARGET ${target})
      target_precompile_headers(${target} PRIVATE ${tapwrenz_std_headers} ${tapwrenz_qt_headers}
                                <QTest> <gtest/gtest.h>)
    endif()
  endforeach()
  foreach(target test_engine test_sound test_shell test_panels test_platform test_audio_player)
    if(TARGET ${target})
      target_precompile_headers(${target} PRIVATE ${tapwrenz_std_headers} <gtest/gtest.h>)
    endif()
  endforeach()
endif()
