# Builds the game's data folder beside the executable from the generators in tools/.
# Each generator reruns only when its script or catalogue changes; the stamps record the runs.

set(TOB_DATA_DIR ${CMAKE_BINARY_DIR}/data)
# The stamps live inside the data folder, so deleting the folder makes everything again.
set(TOB_STAMP_DIR ${TOB_DATA_DIR}/.stamps)
set(TOB_TOOLS ${CMAKE_SOURCE_DIR}/tools)

# The Debian interpreter carries python3-pil and python3-numpy; a private python3 earlier
# on the PATH usually does not, so /usr/bin wins.
find_program(TOB_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT TOB_PYTHON)
  find_program(TOB_PYTHON NAMES python3)
endif()
find_program(TOB_OGGENC NAMES oggenc)

# Without the generators there is no game to run and nothing for the data tests to check.
if(NOT TOB_PYTHON OR NOT TOB_OGGENC)
  message(FATAL_ERROR "python3 or oggenc missing: the game's data cannot be generated (./play and ./test install them; the packages are listed in tools/deps.sh)")
endif()

# Sources the generators write are compiled from the build folder; the source tree stays as checked out.
set(TOB_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${TOB_DATA_DIR}/gfx ${TOB_DATA_DIR}/sfx ${TOB_DATA_DIR}/maps ${TOB_STAMP_DIR} ${TOB_GENERATED_DIR})
# A generator added later shows up at the next build.
file(GLOB TOB_GENERATORS CONFIGURE_DEPENDS ${TOB_TOOLS}/gen_*.py)

# One generator step: reruns when its script, the shared helpers or its catalogues change.
function(tob_data_step name script)
  cmake_parse_arguments(STEP "" "" "ARGS;INPUTS;OUTPUTS" ${ARGN})
  if(NOT EXISTS ${TOB_TOOLS}/${script})
    message(FATAL_ERROR "Data generator ${TOB_TOOLS}/${script} missing: the ${name} step cannot run")
  endif()
  add_custom_command(
    OUTPUT ${TOB_STAMP_DIR}/${name}.stamp ${STEP_OUTPUTS}
    COMMAND ${TOB_PYTHON} ${TOB_TOOLS}/${script} ${STEP_ARGS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TOB_STAMP_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${TOB_STAMP_DIR}/${name}.stamp
    DEPENDS ${TOB_TOOLS}/${script} ${TOB_TOOLS}/tobgen.py ${STEP_INPUTS}
    COMMENT "Generating game data: ${name}"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY TOB_DATA_STAMPS_${name} ${TOB_STAMP_DIR}/${name}.stamp)
endfunction()

# The font step also writes the compiled-in glyph tables (only when they change), so the
# library waits for it.
set(TOB_FONT_TABLES ${TOB_GENERATED_DIR}/KFontTables.cpp)
tob_data_step(fonts gen_fonts.py
  ARGS --out ${TOB_DATA_DIR}/gfx --tables ${TOB_FONT_TABLES}
  OUTPUTS ${TOB_FONT_TABLES})
target_sources(tobcore PRIVATE ${TOB_FONT_TABLES})
tob_data_step(sounds gen_sounds.py
  ARGS --out ${TOB_DATA_DIR}/sfx --oggenc ${TOB_OGGENC}
  INPUTS ${TOB_TOOLS}/sounds.csv ${TOB_TOOLS}/voices.csv ${TOB_TOOLS}/music.csv)
tob_data_step(pictures gen_pictures.py
  ARGS --out ${TOB_DATA_DIR}/gfx)
tob_data_step(sprites gen_sprites.py
  ARGS --catalogue ${TOB_TOOLS}/sprites.csv --layouts ${TOB_TOOLS}/sprite_layouts.csv
       --sprites ${TOB_TOOLS}/sprite_catalogue.csv --out ${TOB_DATA_DIR}/gfx
  INPUTS ${TOB_TOOLS}/sprites.csv ${TOB_TOOLS}/sprite_layouts.csv ${TOB_TOOLS}/sprite_catalogue.csv
         ${TOB_TOOLS}/paint_common.py ${TOB_TOOLS}/paint_people.py ${TOB_TOOLS}/paint_things.py
         ${TOB_TOOLS}/paint_ui.py)

tob_data_step(variables gen_variables.py
  ARGS --patients ${TOB_TOOLS}/patients.csv --variables ${TOB_TOOLS}/variables.csv
       --out ${TOB_DATA_DIR}/variables.xml
  INPUTS ${TOB_TOOLS}/patients.csv ${TOB_TOOLS}/variables.csv ${TOB_TOOLS}/campaign.py)
# Every level template is an input: a new one shows up at the next configure.
file(GLOB TOB_LEVEL_TEMPLATES CONFIGURE_DEPENDS ${TOB_TOOLS}/levels/*)
tob_data_step(levels gen_levels.py
  ARGS --levels ${TOB_TOOLS}/levels --tiles ${TOB_TOOLS}/tiles.csv --campaign ${TOB_TOOLS}/campaign.csv
       --maps ${TOB_DATA_DIR}/maps --gfx ${TOB_DATA_DIR}/gfx
  INPUTS ${TOB_TOOLS}/tiles.csv ${TOB_TOOLS}/campaign.csv ${TOB_TOOLS}/campaign.py ${TOB_LEVEL_TEMPLATES})

get_property(TOB_FONT_STAMP GLOBAL PROPERTY TOB_DATA_STAMPS_fonts)
# The font stamp belongs to its own target only: an output listed by two unrelated targets
# could be generated twice at once.
set(TOB_DATA_STAMPS)
foreach(step sounds pictures sprites variables levels)
  get_property(stamp GLOBAL PROPERTY TOB_DATA_STAMPS_${step})
  list(APPEND TOB_DATA_STAMPS ${stamp})
endforeach()

# Hand-written data files kept in the repository's data/ folder are copied as they are.
file(GLOB_RECURSE TOB_STATIC_DATA CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
set(TOB_STATIC_OUTPUTS)
foreach(src ${TOB_STATIC_DATA})
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/data ${src})
  add_custom_command(
    OUTPUT ${TOB_DATA_DIR}/${rel}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${TOB_DATA_DIR}/${rel}
    DEPENDS ${src}
    VERBATIM)
  list(APPEND TOB_STATIC_OUTPUTS ${TOB_DATA_DIR}/${rel})
endforeach()

add_custom_target(gamefonts DEPENDS ${TOB_FONT_STAMP})
add_custom_target(gamedata ALL DEPENDS ${TOB_DATA_STAMPS} ${TOB_STATIC_OUTPUTS})
add_dependencies(gamedata gamefonts)
add_dependencies(tobcore gamefonts)
add_dependencies(tobrulant gamedata)
