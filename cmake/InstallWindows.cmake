# Installation on Windows: the programs and the standard device library in one folder, where
# the programs look for the library first. A window build is completed by windeployqt, which
# copies the Qt libraries beside it (see the README).
install(TARGETS vexaconfig-cli RUNTIME DESTINATION .)
if(TARGET vexaconfig)
  install(TARGETS vexaconfig RUNTIME DESTINATION .)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/data/VexaDevices.def)
  install(FILES ${CMAKE_SOURCE_DIR}/data/VexaDevices.def DESTINATION .)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION .)
