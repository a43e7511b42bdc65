# Installation and the Debian package: the three programs, the standard device library, a
# desktop entry and its icon, under the usual folders of the prefix.
include(GNUInstallDirs)

install(TARGETS vexaconfig-cli vexa-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vexaconfig)
  install(TARGETS vexaconfig RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The installed window looks for its standard library in ../share/vexaconfig beside bin/.
if(EXISTS ${CMAKE_SOURCE_DIR}/data/VexaDevices.def)
  install(FILES ${CMAKE_SOURCE_DIR}/data/VexaDevices.def DESTINATION ${CMAKE_INSTALL_DATADIR}/vexaconfig)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/vexaconfig.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/vexaconfig.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vexaconfig)

set(CPACK_PACKAGE_NAME vexaconfig)
set(CPACK_PACKAGE_VENDOR "VexaConfig developers")
set(CPACK_PACKAGE_CONTACT "VexaConfig developers <vexaconfig@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration tool for the Vexa 32-pin object controller")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6widgets6 (>= 6.2), libqt6serialport6 (>= 6.2), qt6-qpa-plugins, libc6, libstdc++6")
include(CPack)

if(VEXA_TESTS)
  # Installs into a temporary root and starts the installed programs.
  add_test(NAME InstallStartsTheInstalledPrograms
           COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                   bash ${CMAKE_SOURCE_DIR}/tests/install/install_test.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_CURRENT_BINARY_DIR}/install-test-root)
  set_tests_properties(InstallStartsTheInstalledPrograms PROPERTIES TIMEOUT 120)
endif()
