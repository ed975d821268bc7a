# What a desktop system expects of an installed program: a desktop entry, icons in the
# hicolor theme (drawn by mediagen from the demo's own picture), a manual page, and the
# copyright and changelog of each package.
set(LUMA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(LUMA_GENERATED_DIR ${PROJECT_BINARY_DIR}/packaging)

install(FILES ${LUMA_PACKAGING_DIR}/glimmerfall.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT program)

set(LUMA_ICON_SIZES 64 128 256)
set(LUMA_ICONS "")
foreach(size ${LUMA_ICON_SIZES})
  list(APPEND LUMA_ICONS ${LUMA_GENERATED_DIR}/icons/${size}x${size}/apps/glimmerfall.png)
endforeach()
if(TARGET mediagen)
  add_custom_command(OUTPUT ${LUMA_ICONS}
    COMMAND mediagen --icons ${LUMA_GENERATED_DIR}/icons
    DEPENDS mediagen
    COMMENT "Drawing the program's icons")
  install(DIRECTORY ${LUMA_GENERATED_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
    COMPONENT program)
else()
  set(LUMA_ICONS "")
endif()

# Debian wants manual pages and changelogs compressed at the highest level, without a name
# or time stamp inside.
configure_file(${LUMA_PACKAGING_DIR}/glimmerfall.6 ${LUMA_GENERATED_DIR}/glimmerfall.6 @ONLY)
configure_file(${LUMA_PACKAGING_DIR}/changelog.in ${LUMA_GENERATED_DIR}/changelog @ONLY)
foreach(file glimmerfall.6 changelog)
  add_custom_command(OUTPUT ${LUMA_GENERATED_DIR}/${file}.gz
    COMMAND gzip -9nf -k ${LUMA_GENERATED_DIR}/${file}
    DEPENDS ${LUMA_GENERATED_DIR}/${file})
endforeach()
add_custom_target(glimmerfall_desktop_files ALL
  DEPENDS ${LUMA_ICONS} ${LUMA_GENERATED_DIR}/glimmerfall.6.gz ${LUMA_GENERATED_DIR}/changelog.gz)

install(FILES ${LUMA_GENERATED_DIR}/glimmerfall.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6
  COMPONENT program)
install(FILES ${LUMA_PACKAGING_DIR}/copyright ${LUMA_GENERATED_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/glimmerfall COMPONENT program)
install(FILES ${LUMA_PACKAGING_DIR}/copyright ${LUMA_GENERATED_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumabase-dev COMPONENT development)
