# Installs the program, both libraries, the engine's headers, a CMake package,
# a pkg-config file and the demo's media.
include(CMakePackageConfigHelpers)

install(TARGETS Glimmerfall RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS LumaBase LumaPlatform LumaPlatformMain EXPORT LumaBaseTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

list(TRANSFORM LUMABASE_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/engine/)
install(FILES ${LUMABASE_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/LumaBase)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/include/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/LumaPlatform)

install(EXPORT LumaBaseTargets NAMESPACE LumaBase::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/LumaBase)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/LumaBaseConfig.cmake.in
  ${PROJECT_BINARY_DIR}/LumaBaseConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/LumaBase)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/LumaBaseConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/LumaBaseConfig.cmake
  ${PROJECT_BINARY_DIR}/LumaBaseConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/LumaBase)

# Relocatable: the prefix is found from where the file lies.
file(RELATIVE_PATH LUMA_PC_TO_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
configure_file(${PROJECT_SOURCE_DIR}/cmake/lumabase.pc.in ${PROJECT_BINARY_DIR}/lumabase.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/lumabase.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/Media DESTINATION ${CMAKE_INSTALL_DATADIR}/glimmerfall)
