# Build settings shared by every program of the course.

# Sources are UTF-8: the wide Cyrillic literals depend on it. With GCC and
# Clang, which this project builds and tests, warnings are errors. With MSVC,
# which it cannot test here, a student's build must not stop on a warning of
# a newer compiler; strcpy and friends are the textbook's, so MSVC's advice to
# replace them is switched off.
function(course_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8 /permissive-)
    target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  endif()
endfunction()

# A console lesson: its sources, the frame, and int arithmetic that wraps to
# 32 bits as on the course's home platform instead of being undefined.
function(add_lesson name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE frame)
  course_warnings(${name})
  if(NOT MSVC)
    target_compile_options(${name} PRIVATE -fwrapv)
  endif()
  install(TARGETS ${name} RUNTIME DESTINATION bin)
endfunction()
