# Two Debian packages from the install components, made in a build folder by cpack -G DEB:
#   glimmerfall   the program, its private libraries, media, desktop entry, icons, manual
#   lumabase-dev  headers, the entry library, the CMake package and the pkg-config files
# The libraries go with the program, not in a runtime package of their own: it is their only
# user, and they are private to it (see cmake/Install.cmake).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glimmerfall)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Glimmerfall developers")
set(CPACK_PACKAGE_CONTACT "Glimmerfall developers <glimmerfall@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_COMPONENTS_ALL program development)
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE glimmerfall)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME glimmerfall)
# Not "games": Debian keeps games in /usr/games, and a demo is not one.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION video)
# dpkg-shlibdeps adds the system libraries the program and its libraries link.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SHLIBDEPS ON)
# Relative to the package's root; the program's RUNPATH points there as well.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${LUMA_INSTALL_LIBDIR})
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS ffmpeg)
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION
  "full-screen real-time audiovisual demo
Glimmerfall plays nine software-rendered 16-bit scenes in step with an
eight-channel tracker module: a wave strip, a ring field, a strobing
plasma, a greetings tunnel, a vortex, shade bobs, a photo frame, a
rippling texture and a bump-mapped light. It can also record itself as
a video with sound (with ffmpeg), or write frames, screenshots and the
sound as files.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME lumabase-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "glimmerfall (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
  "LumaBase engine for 16-bit demos - development files
LumaBase is the small engine under Glimmerfall: display, sound, images
with alpha, bitmap fonts, debug log and settings, written against the
Win32, DirectDraw and DirectSound operations, which LumaPlatform
provides on Linux. This package holds the headers, the platform's entry
library, a CMake package (find_package(LumaBase)) and the pkg-config
files lumabase and lumabase-main.")

include(CPack)
