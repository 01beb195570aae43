# Windows: the version resource, what the programs need beside them, and the
# installer and zip. Included from the top CMakeLists.txt on WIN32.
include(GNUInstallDirs)

# Icon and version of varnix-config.exe and varnix-param.exe.
set(VARNIX_RC_VERSION "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
configure_file(${CMAKE_SOURCE_DIR}/resources/varnix.rc.in ${CMAKE_BINARY_DIR}/varnix.rc @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/varnix.ico ${CMAKE_BINARY_DIR}/varnix.ico COPYONLY)
set(VARNIX_WIN_RC ${CMAKE_BINARY_DIR}/varnix.rc)

# Qt's own tools for putting Qt beside the program exist only on Windows; a
# cross build puts the few files the program loads there itself: the Qt
# libraries it links, the platform and style plugins, the MinGW runtime and
# Qt's Chinese texts.
get_target_property(VARNIX_QT_CORE_DLL Qt${QT_VERSION_MAJOR}::Core IMPORTED_LOCATION_RELEASE)
if(NOT VARNIX_QT_CORE_DLL)
    get_target_property(VARNIX_QT_CORE_DLL Qt${QT_VERSION_MAJOR}::Core IMPORTED_LOCATION)
endif()
get_filename_component(VARNIX_QT_BIN ${VARNIX_QT_CORE_DLL} DIRECTORY)
get_filename_component(VARNIX_QT_PREFIX ${VARNIX_QT_BIN} DIRECTORY)
find_program(VARNIX_WINDEPLOYQT windeployqt HINTS ${VARNIX_QT_BIN} NO_CMAKE_FIND_ROOT_PATH)

if(VARNIX_WINDEPLOYQT AND NOT CMAKE_CROSSCOMPILING)
    install(CODE "execute_process(COMMAND \"${VARNIX_WINDEPLOYQT}\" --release --no-opengl-sw --no-system-d3d-compiler
                      \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/varnix-config.exe\"
                  RESULT_VARIABLE deployed)
                  if(NOT deployed EQUAL 0)
                      message(FATAL_ERROR \"windeployqt failed: \${deployed}\")
                  endif()")
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${CMAKE_INSTALL_BINDIR})
    include(InstallRequiredSystemLibraries)
else()
    set(VARNIX_QT_DLLS)
    foreach(module IN ITEMS Core Gui Widgets SerialPort)
        list(APPEND VARNIX_QT_DLLS ${VARNIX_QT_BIN}/Qt${QT_VERSION_MAJOR}${module}.dll)
    endforeach()
    install(FILES ${VARNIX_QT_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${VARNIX_QT_PREFIX}/plugins/platforms/qwindows.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
    install(FILES ${VARNIX_QT_PREFIX}/plugins/styles/qwindowsvistastyle.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
    # The compiler's own runtime, from where the compiler keeps it.
    set(VARNIX_MINGW_DLLS)
    foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
            message(FATAL_ERROR "The compiler does not know where ${dll} is")
        endif()
        list(APPEND VARNIX_MINGW_DLLS ${path})
    endforeach()
    install(FILES ${VARNIX_MINGW_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})
    # Qt's Chinese texts (buttons of message boxes and dialogs): from the Qt
    # for Windows when it has them, else from the build machine's Qt, the same
    # version.
    find_file(VARNIX_QT_ZH_QM qtbase_zh_CN.qm
              HINTS ${VARNIX_QT_PREFIX}/translations /usr/share/qt${QT_VERSION_MAJOR}/translations
              NO_CMAKE_FIND_ROOT_PATH)
    if(VARNIX_QT_ZH_QM)
        install(FILES ${VARNIX_QT_ZH_QM} DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
    else()
        message(WARNING "qtbase_zh_CN.qm not found: the package's Qt dialogs stay in English")
    endif()
endif()
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)

# The installer: per user, no administrator rights, into
# %LOCALAPPDATA%\Programs, with a Start-menu entry and an uninstaller. CMake's
# NSIS template installs for all users when it can; the copy made here asks
# for the user's rights only and keeps to the user's part of the registry.
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_PACKAGE_NAME "Varnix&Tolbane configurator")
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/resources/varnix.ico)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ${CMAKE_INSTALL_BINDIR})
set(CPACK_NSIS_UNINSTALL_NAME uninstall)
set(CPACK_NSIS_MENU_LINKS)
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in VARNIX_NSIS)
string(REPLACE "RequestExecutionLevel admin" "RequestExecutionLevel user" VARNIX_NSIS "${VARNIX_NSIS}")
string(REPLACE "SetShellVarContext all" "SetShellVarContext current" VARNIX_NSIS "${VARNIX_NSIS}")
string(REPLACE "StrCpy $SV_ALLUSERS \"AllUsers\"" "StrCpy $SV_ALLUSERS \"JustMe\"" VARNIX_NSIS "${VARNIX_NSIS}")
string(REPLACE "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@" "@CPACK_NSIS_INSTALL_ROOT@\\@CPACK_PACKAGE_INSTALL_DIRECTORY@"
       VARNIX_NSIS "${VARNIX_NSIS}")
string(REPLACE "HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" "SHCTX \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
       VARNIX_NSIS "${VARNIX_NSIS}")
# 64-bit stub: the 32-bit one needs a 32-bit Windows layer to run.
string(REPLACE "; CPack install script designed for a nmake build"
       "; CPack install script designed for a nmake build\nUnicode true\nTarget amd64-unicode" VARNIX_NSIS "${VARNIX_NSIS}")
file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in "${VARNIX_NSIS}")
configure_file(${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.InstallOptions.ini.in
               ${CMAKE_BINARY_DIR}/nsis/NSIS.InstallOptions.ini.in COPYONLY)
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
set(CPACK_GENERATOR NSIS ZIP)
