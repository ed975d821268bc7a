# Install rules in two components: "program" (the command glimmerfall, its two libraries,
# the media, desktop entry, icons and manual page) and "development" (the engine's headers,
# the entry library, a CMake package and pkg-config files). cmake/Packaging.cmake makes a
# Debian package of each.
include(CMakePackageConfigHelpers)

# The libraries are private to the program: their interface is not stable yet, and
# LumaPlatform exports Win32 names that have no place in the system's library folder.
set(LUMA_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/glimmerfall)
file(RELATIVE_PATH LUMA_BIN_TO_LIBDIR "/${CMAKE_INSTALL_BINDIR}" "/${LUMA_INSTALL_LIBDIR}")
set_target_properties(Glimmerfall PROPERTIES INSTALL_RPATH "$ORIGIN/${LUMA_BIN_TO_LIBDIR}")
set_target_properties(LumaBase PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(LumaPlatform PROPERTIES INSTALL_RPATH "")

install(TARGETS Glimmerfall RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
# A lower-case command, as Debian names programs; the build tree keeps bin/Glimmerfall.
# The program finds its media by its own name lower-cased, so both names work.
set(LUMA_INSTALLED_BINDIR "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}")
install(CODE "file(RENAME \"${LUMA_INSTALLED_BINDIR}/Glimmerfall\"
                          \"${LUMA_INSTALLED_BINDIR}/glimmerfall\")"
  COMPONENT program)

install(TARGETS LumaBase LumaPlatform LumaPlatformMain EXPORT LumaBaseTargets
  LIBRARY DESTINATION ${LUMA_INSTALL_LIBDIR} COMPONENT program
    NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${LUMA_INSTALL_LIBDIR} COMPONENT development)

list(TRANSFORM LUMABASE_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/engine/)
install(FILES ${LUMABASE_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/LumaBase
  COMPONENT development)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/include/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/LumaPlatform COMPONENT development)

install(EXPORT LumaBaseTargets NAMESPACE LumaBase::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/LumaBase COMPONENT development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/LumaBaseConfig.cmake.in
  ${PROJECT_BINARY_DIR}/LumaBaseConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/LumaBase)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/LumaBaseConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/LumaBaseConfig.cmake
  ${PROJECT_BINARY_DIR}/LumaBaseConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/LumaBase COMPONENT development)

# In the multiarch folder where there is one: the files name an architecture's libraries.
set(LUMA_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT CMAKE_INSTALL_LIBDIR MATCHES "/")
  set(LUMA_PC_DIR ${CMAKE_INSTALL_LIBDIR}/${CMAKE_LIBRARY_ARCHITECTURE}/pkgconfig)
endif()
# Relocatable: the prefix is found from where the file lies.
file(RELATIVE_PATH LUMA_PC_TO_PREFIX "/${LUMA_PC_DIR}" "/")
foreach(pc lumabase lumabase-main)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${LUMA_PC_DIR} COMPONENT development)
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/Media DESTINATION ${CMAKE_INSTALL_DATADIR}/glimmerfall
  COMPONENT program)

include(${PROJECT_SOURCE_DIR}/cmake/DesktopFiles.cmake)
include(${PROJECT_SOURCE_DIR}/cmake/Packaging.cmake)
