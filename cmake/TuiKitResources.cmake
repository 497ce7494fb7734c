# Menus and dialogs of a TuiKit program are written as .rc scripts and
# embedded into the program:
#
#   tuikit_add_resources(<target> <file.rc>... [INCLUDE_DIRECTORIES <dir>...]
#                        [DEFINITIONS <NAME[=value]>...])
#     Compiles each script to a .res image and adds to <target> a generated
#     source that holds the image and registers it with TuiAddResources when
#     the program starts, so FindResourceA(NULL, ...) finds its entries.
#
#   tuikit_compile_rc(<out.res> <file.rc> [INCLUDE_DIRECTORIES <dir>...]
#                     [DEFINITIONS <NAME[=value]>...])
#     Only the compile step: a custom command that writes <out.res>. Add the
#     file to a target's sources (or a custom target) to have it built.
#
# A script is run through the C preprocessor (cpp -P -DRC_INVOKED, with the
# library's include directory and the script's own directory on the include
# path, so scripts say #include <tuikit/tuikit_rc.h>) and then through llvm-rc -no-preprocess, so no C compiler front end
# of LLVM is needed. When llvm-rc fails, the stub it leaves is removed so a
# later build does not take it for a good image.
#
# Run with cmake -P, this same file performs the steps (TUIKIT_RC_STEP set to
# "compile" or "embed").

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED TUIKIT_RC_STEP)
  if(TUIKIT_RC_STEP STREQUAL "compile")
    string(REPLACE "|" ";" include_dirs "${INCLUDE_DIRS}")
    string(REPLACE "|" ";" definitions "${DEFINITIONS}")
    set(cpp_args -x c -P -DRC_INVOKED -MD -MF "${DEP_FILE}" -MT "${RES_FILE}")
    foreach(dir IN LISTS include_dirs)
      list(APPEND cpp_args "-I${dir}")
    endforeach()
    foreach(def IN LISTS definitions)
      list(APPEND cpp_args "-D${def}")
    endforeach()
    set(preprocessed "${RES_FILE}.rc.i")
    execute_process(COMMAND "${CPP}" ${cpp_args} "${RC_FILE}" -o "${preprocessed}"
      RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      file(REMOVE "${RES_FILE}" "${preprocessed}")
      message(FATAL_ERROR "tuikit: preprocessing ${RC_FILE} failed")
    endif()
    # "--" ends the options: llvm-rc also reads "/x" as an option, so an
    # absolute input path such as /check/... would be taken for /c (code page).
    execute_process(COMMAND "${LLVM_RC}" -no-preprocess -fo "${RES_FILE}" -- "${preprocessed}"
      RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      file(REMOVE "${RES_FILE}")
      message(FATAL_ERROR "tuikit: llvm-rc could not compile ${RC_FILE} (preprocessed as ${preprocessed})")
    endif()
  elseif(TUIKIT_RC_STEP STREQUAL "embed")
    file(READ "${RES_FILE}" hex HEX)
    string(LENGTH "${hex}" hex_length)
    if(hex_length EQUAL 0)
      message(FATAL_ERROR "tuikit: ${RES_FILE} is empty")
    endif()
    string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])" "\\1\n" hex "${hex}")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    get_filename_component(res_name "${RES_FILE}" NAME)
    file(WRITE "${SOURCE_FILE}.tmp"
"/* Generated from ${res_name} by TuiKitResources.cmake; do not edit. */
#ifdef __cplusplus
extern \"C\" {
#endif
int TuiAddResources(const void *res, unsigned int size);
#ifdef __cplusplus
}
#endif

static const unsigned char tuikit_res_image[] __attribute__((aligned(4))) = {
${bytes}
};

/* Runs before main: hands the image to the library, which keeps a copy. */
__attribute__((constructor)) static void tuikit_register_res_image(void)
{
    TuiAddResources(tuikit_res_image, (unsigned int)sizeof tuikit_res_image);
}
")
    file(RENAME "${SOURCE_FILE}.tmp" "${SOURCE_FILE}")
  else()
    message(FATAL_ERROR "tuikit: unknown step ${TUIKIT_RC_STEP}")
  endif()
  return()
endif()

# Kept as global properties: the functions run in the caller's directory,
# which may be a parent project that added this one with add_subdirectory.
set_property(GLOBAL PROPERTY TUIKIT_RESOURCES_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

find_program(TUIKIT_LLVM_RC NAMES llvm-rc llvm-rc-19 llvm-rc-18 llvm-rc-17 llvm-rc-16 llvm-rc-15 llvm-rc-14
  DOC "The resource compiler that turns .rc scripts into .res images")
find_program(TUIKIT_CPP NAMES cpp DOC "The C preprocessor run over .rc scripts")
if(NOT DEFINED TUIKIT_RC_INCLUDE_DIR)
  get_filename_component(TUIKIT_RC_INCLUDE_DIR "${CMAKE_CURRENT_LIST_DIR}/../../../include" ABSOLUTE)
endif()
set_property(GLOBAL PROPERTY TUIKIT_RC_INCLUDE_DIR "${TUIKIT_RC_INCLUDE_DIR}")

function(tuikit_compile_rc res_file rc_file)
  cmake_parse_arguments(RC "" "" "INCLUDE_DIRECTORIES;DEFINITIONS" ${ARGN})
  if(NOT TUIKIT_LLVM_RC)
    message(FATAL_ERROR "tuikit_compile_rc: llvm-rc was not found (install LLVM)")
  endif()
  if(NOT TUIKIT_CPP)
    message(FATAL_ERROR "tuikit_compile_rc: the C preprocessor cpp was not found")
  endif()
  get_property(_TUIKIT_RESOURCES_SCRIPT GLOBAL PROPERTY TUIKIT_RESOURCES_SCRIPT)
  get_property(rc_include_dir GLOBAL PROPERTY TUIKIT_RC_INCLUDE_DIR)
  get_filename_component(rc_path "${rc_file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(res_path "${res_file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  get_filename_component(rc_dir "${rc_path}" DIRECTORY)
  set(include_dirs "${rc_dir}" "${rc_include_dir}")
  foreach(dir IN LISTS RC_INCLUDE_DIRECTORIES)
    get_filename_component(dir "${dir}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND include_dirs "${dir}")
  endforeach()
  string(REPLACE ";" "|" include_arg "${include_dirs}")
  string(REPLACE ";" "|" definitions_arg "${RC_DEFINITIONS}")
  add_custom_command(OUTPUT "${res_path}"
    COMMAND "${CMAKE_COMMAND}" -DTUIKIT_RC_STEP=compile "-DRC_FILE=${rc_path}" "-DRES_FILE=${res_path}"
            "-DDEP_FILE=${res_path}.d" "-DCPP=${TUIKIT_CPP}" "-DLLVM_RC=${TUIKIT_LLVM_RC}"
            "-DINCLUDE_DIRS=${include_arg}" "-DDEFINITIONS=${definitions_arg}"
            -P "${_TUIKIT_RESOURCES_SCRIPT}"
    DEPENDS "${rc_path}" "${_TUIKIT_RESOURCES_SCRIPT}"
    DEPFILE "${res_path}.d"
    COMMENT "Compiling resources ${rc_file}"
    VERBATIM)
endfunction()

function(tuikit_add_resources target)
  cmake_parse_arguments(RC "" "" "INCLUDE_DIRECTORIES;DEFINITIONS" ${ARGN})
  if(NOT RC_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tuikit_add_resources: no .rc file given for ${target}")
  endif()
  get_property(_TUIKIT_RESOURCES_SCRIPT GLOBAL PROPERTY TUIKIT_RESOURCES_SCRIPT)
  # The generated source is valid C and C++; use whichever the project has.
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if("C" IN_LIST languages)
    set(extension c)
  else()
    set(extension cpp)
  endif()
  foreach(rc_file IN LISTS RC_UNPARSED_ARGUMENTS)
    get_filename_component(stem "${rc_file}" NAME_WE)
    set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/tuikit_resources/${target}")
    set(res_path "${out_dir}/${stem}.res")
    set(source_path "${out_dir}/${stem}_res.${extension}")
    tuikit_compile_rc("${res_path}" "${rc_file}"
      INCLUDE_DIRECTORIES ${RC_INCLUDE_DIRECTORIES} DEFINITIONS ${RC_DEFINITIONS})
    add_custom_command(OUTPUT "${source_path}"
      COMMAND "${CMAKE_COMMAND}" -DTUIKIT_RC_STEP=embed "-DRES_FILE=${res_path}" "-DSOURCE_FILE=${source_path}"
              -P "${_TUIKIT_RESOURCES_SCRIPT}"
      DEPENDS "${res_path}" "${_TUIKIT_RESOURCES_SCRIPT}"
      COMMENT "Embedding resources ${stem}.res"
      VERBATIM)
    target_sources(${target} PRIVATE "${source_path}")
  endforeach()
endfunction()
