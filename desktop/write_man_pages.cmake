# Run by cmake --install: writes the manual pages for the prefix being installed to and
# compresses them as Debian keeps them (gzip -9n: no name, no time stamp).
foreach(dir DATADIR PROGRAMDIR GUIDEDIR)
  cmake_path(ABSOLUTE_PATH PELMORA_INSTALL_${dir} BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
             OUTPUT_VARIABLE PELMORA_FULL_${dir})
endforeach()
foreach(page pelmora kestrand)
  configure_file(${PELMORA_PAGE_SOURCES}/${page}.6.in ${PELMORA_PAGES_DIR}/${page}.6 @ONLY)
  execute_process(COMMAND gzip -9nf ${PELMORA_PAGES_DIR}/${page}.6 COMMAND_ERROR_IS_FATAL ANY)
endforeach()
