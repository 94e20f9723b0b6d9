# Precompiled headers: the Qt and standard headers (and the document) that most files of a
# target include are parsed once per target instead of once per file, which more than halves
# a clean build. Targets of a handful of files go without: making the header costs more than
# it saves there.
option(ZOL_PCH "Precompile the headers most files include" ON)

set(ZOL_PCH_CORE
  <QByteArray> <QDateTime> <QList> <QObject> <QString> <QStringList> <QTimer>
  <algorithm> <array> <functional> <memory> <optional> <vector>
  "${PROJECT_SOURCE_DIR}/src/model/Data.h")
set(ZOL_PCH_PRINT ${ZOL_PCH_CORE} <QPainter> <QFont> <QFontMetricsF>)
set(ZOL_PCH_GUI ${ZOL_PCH_PRINT}
  <QAction> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QGroupBox> <QHBoxLayout>
  <QKeyEvent> <QLabel> <QLineEdit> <QPushButton> <QSpinBox> <QToolButton> <QVBoxLayout>
  <QWidget>)
set(ZOL_PCH_TEST_CORE ${ZOL_PCH_CORE} <QDir> <QFile> <QTemporaryDir> <gtest/gtest.h>)
set(ZOL_PCH_TEST_GUI ${ZOL_PCH_GUI} <QDir> <QFile> <QTemporaryDir> <QTest> <gtest/gtest.h>)

# zol_pch(target CORE|PRINT|GUI|TEST_CORE|TEST_GUI)
function(zol_pch target kind)
  if(ZOL_PCH)
    target_precompile_headers(${target} PRIVATE ${ZOL_PCH_${kind}})
  endif()
endfunction()
