# The D-Bus service file and the manual pages name the folders the game lies in, so they are made
# for the prefix of the install itself (cmake --install --prefix may change the one configured),
# and the configured one for the build tree's checks. Run with -P or included, given
# CMAKE_INSTALL_PREFIX, ZELKAN_SOURCE (packaging/), ZELKAN_OUTPUT (a folder to write to),
# ZELKAN_DESKTOP_ID, PROJECT_VERSION, and the install folders ZELKAN_BINDIR, ZELKAN_LIBRARY_DIR,
# ZELKAN_DATA_DIR, ZELKAN_MANDIR and ZELKAN_SERVICE_DIR, each absolute or relative to the prefix;
# with ZELKAN_INSTALL set, also the gzip program in GZIP, and the files are compressed as
# distributions ship them (without a name or a time, so the same sources give the same bytes) and
# installed, under DESTDIR when it is set.
foreach(folder IN ITEMS BINDIR LIBRARY_DIR DATA_DIR MANDIR SERVICE_DIR)
  if(IS_ABSOLUTE "${ZELKAN_${folder}}")
    set(ZELKAN_FULL_${folder} "${ZELKAN_${folder}}")
  else()
    set(ZELKAN_FULL_${folder} "${CMAKE_INSTALL_PREFIX}/${ZELKAN_${folder}}")
  endif()
endforeach()

configure_file(${ZELKAN_SOURCE}/${ZELKAN_DESKTOP_ID}.service.in
               ${ZELKAN_OUTPUT}/${ZELKAN_DESKTOP_ID}.service @ONLY)
foreach(page IN ITEMS zelkan.6 zelkan-engine.6)
  configure_file(${ZELKAN_SOURCE}/${page}.in ${ZELKAN_OUTPUT}/${page} @ONLY)
endforeach()

if(ZELKAN_INSTALL)
  set(readable FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  file(INSTALL ${ZELKAN_OUTPUT}/${ZELKAN_DESKTOP_ID}.service
       DESTINATION ${ZELKAN_FULL_SERVICE_DIR} ${readable})
  foreach(page IN ITEMS zelkan.6 zelkan-engine.6)
    execute_process(COMMAND ${GZIP} -9nf ${ZELKAN_OUTPUT}/${page} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "gzip could not compress ${ZELKAN_OUTPUT}/${page}")
    endif()
    file(INSTALL ${ZELKAN_OUTPUT}/${page}.gz DESTINATION ${ZELKAN_FULL_MANDIR}/man6 ${readable})
  endforeach()
endif()
