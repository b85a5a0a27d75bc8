# Fails when the executable EXE needs Qt Gui or Widgets: the command line has
# to run where there is no window system at all, and a logic test links only
# the logic it tests. LINKS is what the build links it with; OBJDUMP lists
# the libraries the program loads, for ELF and PE alike.
file(READ ${LINKS} links)
if(NOT links MATCHES "Qt6::Core" OR links MATCHES "Qt6::(Gui|Widgets)")
    message(FATAL_ERROR "${EXE} is linked with: ${links}")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()
if(NOT headers MATCHES "Qt6Core")
    message(FATAL_ERROR "${EXE} does not load Qt Core: the check reads the wrong thing")
endif()
if(headers MATCHES "Qt6(Gui|Widgets)")
    message(FATAL_ERROR "${EXE} loads Qt Gui or Widgets:\n${headers}")
endif()
