# The Windows program as a portable folder: both programs, the Qt and MinGW runtime
# DLLs and plugins they load, Qt's Japanese translation and the licences of all
# they carry. `cmake --install` puts the folder together; the zip and the installer
# are made from it (make windows).

# Qt's install prefix, from where its package was found.
get_filename_component(qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
# The Debian sources the libraries were built from (scripts/build-windows-deps).
get_filename_component(windows_sources "${VANTRELL_WINDOWS_DEPS}/../src" ABSOLUTE)
set(mingw_runtime /usr/lib/gcc/x86_64-w64-mingw32/12-posix)
set(mingw_sysroot /usr/x86_64-w64-mingw32)

# The window program opens no console beside its window; the renderer is a console
# program.
set_target_properties(vantrell PROPERTIES WIN32_EXECUTABLE ON)
install(TARGETS vantrell vantrell-render RUNTIME DESTINATION .)
install(FILES
    ${qt_prefix}/bin/Qt6Core.dll ${qt_prefix}/bin/Qt6Gui.dll ${qt_prefix}/bin/Qt6Widgets.dll
    ${mingw_runtime}/libstdc++-6.dll ${mingw_runtime}/libgcc_s_seh-1.dll
    ${mingw_runtime}/libssp-0.dll ${mingw_sysroot}/lib/libwinpthread-1.dll
    ${mingw_sysroot}/lib/zlib1.dll
    DESTINATION .)
# vantrell-render draws on Qt's offscreen platform, the window on the Windows one.
install(FILES ${qt_prefix}/plugins/platforms/qwindows.dll
        ${qt_prefix}/plugins/platforms/qoffscreen.dll DESTINATION plugins/platforms)
install(FILES ${qt_prefix}/plugins/styles/qwindowsvistastyle.dll DESTINATION plugins/styles)
install(FILES ${qt_prefix}/plugins/imageformats/qico.dll ${qt_prefix}/plugins/imageformats/qjpeg.dll
        ${qt_prefix}/plugins/imageformats/qgif.dll DESTINATION plugins/imageformats)

# Qt finds its plugins and translations beside the program, wherever the folder is.
# (Not beside the programs in the build folder, which run with the Qt they were built on.)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/deploy/qt.conf "[Paths]\nPrefix = .\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/deploy/qt.conf DESTINATION .)
# Qt's own texts (buttons of the standard dialogs) in Japanese, the same .qm files on
# every platform.
install(FILES /usr/share/qt6/translations/qtbase_ja.qm DESTINATION translations)

# The program's icon for Explorer and the Start menu: the icon star, drawn at build time
# by the Windows vantrell-render under Wine, in a PNG-compressed .ico.
set(icon_png ${CMAKE_CURRENT_BINARY_DIR}/vantrell-icon.png)
set(icon_ico ${CMAKE_CURRENT_BINARY_DIR}/vantrell.ico)
# Where Wine finds the DLLs of a program run from the build folder.
set(VANTRELL_WINEPATH "${qt_prefix}/bin\;${mingw_runtime}\;${mingw_sysroot}/lib")
add_custom_command(OUTPUT ${icon_ico}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen "WINEPATH=${VANTRELL_WINEPATH}"
            ${PROJECT_SOURCE_DIR}/scripts/wine-run $<TARGET_FILE:vantrell-render>
            --settings ${PROJECT_SOURCE_DIR}/data/icon.def --transparent --smooth ${icon_png}
    COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/png-to-ico ${icon_png} ${icon_ico}
    DEPENDS vantrell-render ${PROJECT_SOURCE_DIR}/data/icon.def
    COMMENT "Drawing the program's icon" VERBATIM)
add_custom_target(vantrell-icon ALL DEPENDS ${icon_ico})
install(FILES ${icon_ico} DESTINATION .)

# Licences: the program's, and those of Qt, libpng, libjpeg-turbo, zlib and the MinGW
# runtime it carries.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licences RENAME Vantrell.txt)
install(FILES ${windows_sources}/qt6-base-6.4.2+dfsg/LICENSES/LGPL-3.0-only.txt
        DESTINATION licences RENAME Qt-LGPL-3.0.txt)
install(FILES ${windows_sources}/qt6-base-6.4.2+dfsg/LICENSES/GPL-3.0-only.txt
        DESTINATION licences RENAME Qt-GPL-3.0.txt)
install(FILES ${windows_sources}/libpng1.6-1.6.39/LICENSE DESTINATION licences
        RENAME libpng.txt)
install(FILES ${windows_sources}/libjpeg-turbo-2.1.5/LICENSE.md DESTINATION licences
        RENAME libjpeg-turbo.md)
install(FILES ${windows_sources}/libjpeg-turbo-2.1.5/README.ijg DESTINATION licences
        RENAME libjpeg-turbo-ijg.txt)
install(FILES /usr/share/doc/libz-mingw-w64-dev/copyright DESTINATION licences RENAME zlib.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licences
        RENAME MinGW-GCC-runtime.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licences
        RENAME MinGW-w64.txt)

# The icon in the program itself, for Explorer, the taskbar and the window's corner.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/vantrell.rc "1 ICON \"vantrell.ico\"\n")
target_sources(vantrell PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/vantrell.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/vantrell.rc PROPERTIES
                            OBJECT_DEPENDS ${icon_ico})
add_dependencies(vantrell vantrell-icon)
