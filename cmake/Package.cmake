# make package: a Debian package of the installed files, through CPack. Its
# dependencies come from dpkg-shlibdeps, so it pulls the Qt, libjpeg and libpng
# runtime packages it was built against.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrell)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vantrell developers")
set(CPACK_PACKAGE_CONTACT "Vantrell developers <vantrell@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draw jagged stars and save them as pictures")
# One string: a CMake list would be joined with semicolons. CPack indents the lines
# after the summary as the control file wants them.
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrell makes one kind of picture, a jagged star, shaped live and saved as\n\
BMP, JPEG, PNG or SVG at up to 64 times its size. vantrell-render draws the\n\
same pictures from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Japanese text needs a Japanese font; Qt's own dialogs need its translations; the
# About box's link opens through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vantrell.example.org/")
include(CPack)
