# Precompiled Qt headers for the test programs, each set built once in an
# object library of its own and reused by every test of that level
# (REUSE_FROM): a test sees only the modules it links, so a QtCore test never
# gets a QtWidgets header. The program's own few batches build faster without
# them (building a set takes longer than it saves there). VARNIX_PCH=OFF
# builds the tests without them too.
set(VARNIX_PCH_DIR ${CMAKE_CURRENT_LIST_DIR})
option(VARNIX_PCH "Precompile the Qt headers once and reuse them in every target" ON)

set(VARNIX_PCH_CORE
    <QByteArray> <QCoreApplication> <QDateTime> <QDebug> <QDir> <QElapsedTimer> <QFile> <QFileInfo>
    <QHash> <QList> <QObject> <QRegularExpression> <QSet> <QSettings> <QString> <QStringList>
    <QTextStream> <QTimer> <QVariant> <QVector> <QtGlobal>
    <algorithm> <functional> <memory> <vector>)
set(VARNIX_PCH_WIDGETS ${VARNIX_PCH_CORE}
    <QAbstractButton> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QDoubleSpinBox> <QFileDialog>
    <QHBoxLayout> <QIcon> <QImage> <QLabel> <QLineEdit> <QMainWindow> <QMessageBox> <QPainter>
    <QProgressBar> <QPushButton> <QSpinBox> <QStatusBar> <QTabWidget> <QToolButton> <QUndoStack>
    <QVBoxLayout> <QWidget>)

# varnix_pch_set(NAME LIBRARIES... HEADERS headers...): the set NAME, for
# targets that link LIBRARIES.
function(varnix_pch_set name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LIBRARIES;HEADERS")
    if(NOT VARNIX_PCH)
        return()
    endif()
    add_library(varnixpch_${name} OBJECT ${VARNIX_PCH_DIR}/precompiled.cpp)
    target_link_libraries(varnixpch_${name} PRIVATE ${arg_LIBRARIES})
    target_precompile_headers(varnixpch_${name} PRIVATE ${arg_HEADERS})
    # Executables are built position-independent as the libraries are, so
    # that one precompiled header fits both.
    set_target_properties(varnixpch_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON AUTOMOC OFF AUTOUIC OFF
                                                       AUTORCC OFF)
endfunction()

# varnix_pch(SET targets...): the targets use the set SET.
function(varnix_pch set)
    if(NOT VARNIX_PCH)
        return()
    endif()
    foreach(target IN LISTS ARGN)
        target_precompile_headers(${target} REUSE_FROM varnixpch_${set})
        set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    endforeach()
endfunction()
