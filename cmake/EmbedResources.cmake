# vtr_embed_resources(<target> <files...>)
# Adds to <target> one generated source per file, each holding the file's bytes,
# and an index that resources::find() searches by file name without extension.
function(vtr_embed_resources target)
  set(index_entries "")
  set(declarations "")
  set(stems "")
  set(counter 0)
  foreach(file IN LISTS ARGN)
    get_filename_component(abs "${file}" ABSOLUTE)
    get_filename_component(stem "${abs}" NAME_WE)
    string(TOLOWER "${stem}" stem_lower)
    if(stem_lower IN_LIST stems)
      message(FATAL_ERROR "Two resources share the name '${stem}'")
    endif()
    list(APPEND stems "${stem_lower}")
    set(symbol "vtr_resource_${counter}")
    set(out "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp")
    add_custom_command(
      OUTPUT "${out}"
      COMMAND ${CMAKE_COMMAND} -DINPUT=${abs} -DOUTPUT=${out} -DSYMBOL=${symbol}
              -P "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
      DEPENDS "${abs}" "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
      COMMENT "Embedding ${stem}"
      VERBATIM)
    target_sources(${target} PRIVATE "${out}")
    string(APPEND declarations
      "extern const unsigned char ${symbol}[];\nextern const std::size_t ${symbol}_size;\n")
    string(APPEND index_entries
      "    {\"${stem}\", {${symbol}, ${symbol}_size}},\n")
    math(EXPR counter "${counter} + 1")
  endforeach()
  set(index "${CMAKE_CURRENT_BINARY_DIR}/embedded/index.cpp")
  file(CONFIGURE OUTPUT "${index}" CONTENT
"// Generated; do not edit.
#include <cstddef>
#include \"resources/Resources.h\"
${declarations}
namespace vtr::resources {
extern const Resource kEmbeddedResources[];
extern const std::size_t kEmbeddedResourceCount;
const Resource kEmbeddedResources[] = {
${index_entries}};
const std::size_t kEmbeddedResourceCount = ${counter};
}  // namespace vtr::resources
" @ONLY)
  target_sources(${target} PRIVATE "${index}")
endfunction()
