# `cpack -G DEB` in the build folder packs what `cmake --install` puts into /usr as a Debian package.
# Its dependencies are read from the programs' shared libraries by dpkg-shlibdeps, so they follow
# whatever the build links. Menus, file types and icons are registered by the system's own triggers.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillmark maintainers <maintainers@quillmark.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "object dictionary editor for CANopen devices")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmark imports the electronic data sheet (EDS or DCF) of a CANopen device, lets the user\n"
    "review and edit every index, subindex and descriptive section, keeps the work in a project file,\n"
    "writes the dictionary back out as an EDS file and generates the C sources that configure a\n"
    "CANopen protocol stack.\n"
    "\n"
    "The package holds the Qt desktop editor (quillmark) and the headless tool for build pipelines\n"
    "(quillmark-cli).")
string(CONCAT CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
