# SPDX-License-Identifier: GPL-3.0-or-later
# Each library's headers are reached as "folder/name.h" through an include root of its own that
# holds only that folder, so a target sees a library's headers only when it links the library:
# a dependency that the architecture does not allow fails to compile.
#   varnel_library_headers(engine engine)
function(varnel_library_headers target folder)
    set(root ${PROJECT_BINARY_DIR}/include/${target})
    # A folder may lie inside another ("studio/core"): its parents are made, not linked.
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${root})
endfunction()
