# Runs the window test program as CI does (CI=true) where a display is inherited but the program's
# own X server cannot start: it must stop with the reason rather than draw on that display.
# Called with -DPROGRAM=<morvel_ui_tests> -DWORK=<scratch folder>.
set(reason_absent "morvel_ui_tests: Xvfb is not in PATH")
set(reason_dying "morvel_ui_tests: Xvfb did not say its display number")
foreach(case absent dying)
  set(bin "${WORK}/${case}")
  file(REMOVE_RECURSE "${bin}")
  file(MAKE_DIRECTORY "${bin}")
  if(case STREQUAL "dying")
    file(WRITE "${bin}/Xvfb" "#!/bin/sh\nexit 1\n")
    file(CHMOD "${bin}/Xvfb" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  endif()
  set(ENV{CI} true)
  set(ENV{DISPLAY} ":4242")
  set(ENV{PATH} "${bin}")
  # No test matches the filter, so a program that wrongly goes on ends at once, with success.
  execute_process(COMMAND "${PROGRAM}" --gtest_filter=NoSuchTest.NoSuchCase
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output TIMEOUT 90)
  if(result EQUAL 0 OR NOT output MATCHES "${reason_${case}}")
    message(FATAL_ERROR "Xvfb ${case}: expected a failure saying \"${reason_${case}}\", "
                        "got status ${result} and:\n${output}")
  endif()
endforeach()
