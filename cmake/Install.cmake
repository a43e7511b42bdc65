# Installation and the Debian package: the three programs, the standard device library, a
# desktop entry and its icons, and the documentation (README with its pictures, copyright,
# changelog) under the usual folders of the prefix.
include(GNUInstallDirs)

# The package's maintainer: who answers for it. Give another with -DVEXA_MAINTAINER="Name <mail>".
set(VEXA_MAINTAINER "VexaConfig maintainers <maintainers@vexaconfig.example>"
    CACHE STRING "Maintainer of the Debian package (name and mail address)")
set(VEXA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vexaconfig)

install(TARGETS vexaconfig-cli vexa-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vexaconfig)
  install(TARGETS vexaconfig RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# A stripped install (the package's) also drops the compiler's .comment notes, which strip keeps
# and lintian names as unneeded sections.
find_program(VEXA_OBJCOPY NAMES objcopy)
if(VEXA_OBJCOPY)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      foreach(program vexaconfig vexaconfig-cli vexa-sim)
        set(path \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
        if(EXISTS \"\${path}\")
          execute_process(COMMAND \"${VEXA_OBJCOPY}\" --remove-section=.comment \"\${path}\")
        endif()
      endforeach()
    endif()")
endif()
# The installed window looks for its standard library in ../share/vexaconfig beside bin/.
if(EXISTS ${CMAKE_SOURCE_DIR}/data/VexaDevices.def)
  install(FILES ${CMAKE_SOURCE_DIR}/data/VexaDevices.def DESTINATION ${CMAKE_INSTALL_DATADIR}/vexaconfig)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/vexaconfig.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/vexaconfig.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/icons/vexaconfig-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vexaconfig.png)
endforeach()

# The README with its pictures beside it, as its links expect ("Read Me" in the window shows it
# from there).
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${VEXA_DOC_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${VEXA_DOC_DIR}/docs FILES_MATCHING PATTERN "*.png")
configure_file(${CMAKE_SOURCE_DIR}/data/debian/copyright ${CMAKE_BINARY_DIR}/debian/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/debian/copyright DESTINATION ${VEXA_DOC_DIR})
# The changelog (of a package without a Debian revision) and the manual pages, compressed
# without a time stamp.
configure_file(${CMAKE_SOURCE_DIR}/data/debian/changelog ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
set(VEXA_COMPRESSED "")
foreach(file debian/changelog man/vexaconfig.1 man/vexaconfig-cli.1 man/vexa-sim.1)
  set(source ${CMAKE_SOURCE_DIR}/data/${file})
  if(file STREQUAL debian/changelog)
    set(source ${CMAKE_BINARY_DIR}/debian/changelog)
  endif()
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}.gz COMMAND ${CMAKE_COMMAND} -E make_directory
                     ${CMAKE_BINARY_DIR}/man COMMAND gzip -9nc ${source} > ${CMAKE_BINARY_DIR}/${file}.gz
                     DEPENDS ${source})
  list(APPEND VEXA_COMPRESSED ${CMAKE_BINARY_DIR}/${file}.gz)
endforeach()
add_custom_target(vexa_compressed_docs ALL DEPENDS ${VEXA_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.gz DESTINATION ${VEXA_DOC_DIR})
install(FILES ${CMAKE_BINARY_DIR}/man/vexaconfig.1.gz ${CMAKE_BINARY_DIR}/man/vexaconfig-cli.1.gz
              ${CMAKE_BINARY_DIR}/man/vexa-sim.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME vexaconfig)
set(CPACK_PACKAGE_VENDOR "VexaConfig developers")
set(CPACK_PACKAGE_CONTACT "${VEXA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VEXA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for the Vexa 32-pin object controller")
# The long description, in lines of at most 72 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Reads, edits, writes and verifies the configuration of a Vexa\n"
    "controller, a 32-pin object controller for model railway layouts: its\n"
    "module settings, the servo, PWM and input pins with their aspect\n"
    "programs, and its event control. Configurations are kept in data files,\n"
    "reusable devices in a device library. The package holds the window\n"
    "(vexaconfig), a command line for backups and scripts (vexaconfig-cli)\n"
    "and a simulated controller on a pseudo-terminal (vexa-sim), so that the\n"
    "tool can be tried without hardware.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The libraries and their versions come from the programs themselves (dpkg-shlibdeps): the
# Qt they were built with (6.4 on Debian 12) and the C library (2.34 or later). Qt's platform
# plugins are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)

if(VEXA_TESTS)
  # Installs into a temporary root and starts the installed programs.
  add_test(NAME InstallStartsTheInstalledPrograms
           COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                   bash ${CMAKE_SOURCE_DIR}/tests/install/install_test.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_CURRENT_BINARY_DIR}/install-test-root)
  set_tests_properties(InstallStartsTheInstalledPrograms PROPERTIES TIMEOUT 120)
  # Packs this build tree as a Debian package (when dpkg-deb is there) and checks its contents
  # and its fields.
  add_test(NAME PackageHoldsTheProgramsTheirDocumentationAndDependencies
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/package_test.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_CURRENT_BINARY_DIR}/package-test)
  set_tests_properties(PackageHoldsTheProgramsTheirDocumentationAndDependencies PROPERTIES TIMEOUT 300
                       SKIP_RETURN_CODE 77)
endif()
