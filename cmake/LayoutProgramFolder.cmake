# Lays out the program folder from the source tree's data/: unks/ and gifs/
# copied (when present), an empty users/, and the help file assembled from
# data/help/topic<N>.txt (see AssembleHelp.cmake).
file(MAKE_DIRECTORY ${OUT_DIR}/users ${OUT_DIR}/unks ${OUT_DIR}/gifs)
foreach(sub unks gifs)
  if(IS_DIRECTORY ${DATA_DIR}/${sub})
    file(COPY ${DATA_DIR}/${sub}/ DESTINATION ${OUT_DIR}/${sub})
  endif()
endforeach()
set(HELP_DIR ${DATA_DIR}/help)
set(OUT ${OUT_DIR}/orvantor.hlp)
include(${CMAKE_CURRENT_LIST_DIR}/AssembleHelp.cmake)
