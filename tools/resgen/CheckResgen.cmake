# Checks resgen on small sources: an icon with larger sizes drawn from shapes
# holds one image per size, each drawn for its size; a malformed source is
# refused with the line at fault.
#
#   cmake -DRESGEN=path/to/resgen -DWORK_DIR=folder -P CheckResgen.cmake

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Runs resgen on `text`; sets `result`, `error` and, on success, the icon
# file's bytes as hex in `hex`.
function(run_resgen name text)
    file(WRITE ${WORK_DIR}/${name}.txt "${text}")
    execute_process(COMMAND ${RESGEN} ${WORK_DIR}/${name}.txt ${WORK_DIR}/${name}.ico
                    RESULT_VARIABLE code ERROR_VARIABLE message)
    set(result ${code} PARENT_SCOPE)
    set(error "${message}" PARENT_SCOPE)
    if(code EQUAL 0)
        file(READ ${WORK_DIR}/${name}.ico bytes HEX)
        set(hex ${bytes} PARENT_SCOPE)
    endif()
endfunction()

# The little-endian number of `size` bytes at `offset` of `hex`.
function(read_number hex offset size out)
    set(value 0)
    math(EXPR last "${offset} + ${size} - 1")
    foreach(at RANGE ${last} ${offset} -1)
        math(EXPR start "${at} * 2")
        string(SUBSTRING ${hex} ${start} 2 byte)
        math(EXPR value "${value} * 256 + 0x${byte}")
    endforeach()
    set(${out} ${value} PARENT_SCOPE)
endfunction()

# The pixel (x, y) of the image of entry `entry`, `size` pixels square, as
# BGRA hex: the image is a BITMAPINFOHEADER, then rows bottom row first.
function(read_pixel hex entry size x y out)
    math(EXPR field "6 + 16 * ${entry} + 12")
    read_number(${hex} ${field} 4 image)
    math(EXPR at "(${image} + 40 + ((${size} - 1 - ${y}) * ${size} + ${x}) * 4) * 2")
    string(SUBSTRING ${hex} ${at} 8 pixel)
    set(${out} ${pixel} PARENT_SCOPE)
endfunction()

function(expect actual expected what)
    if(NOT "${actual}" STREQUAL "${expected}")
        message(FATAL_ERROR "${what}: ${actual}, expected ${expected}")
    endif()
endfunction()

# A red 4-pixel square, and a red disc filling the square at 8 and 12 pixels.
run_resgen(sizes "r = #FF0000\nrrrr\nrrrr\nrrrr\nrrrr\nsizes 8 12\ndisc 2 2 2 r\n")
expect("${result}" 0 "resgen on a valid source (${error})")
read_number(${hex} 4 2 count)
expect(${count} 3 "images")
set(entry 0)
foreach(size 4 8 12)
    math(EXPR field "6 + 16 * ${entry}")
    read_number(${hex} ${field} 1 width)
    expect(${width} ${size} "width of image ${entry}")
    math(EXPR entry "${entry} + 1")
endforeach()
# Drawn, not stretched: the disc's corners are transparent at 8 and 12
# pixels, though the 4-pixel picture is red to its corners.
read_pixel(${hex} 0 4 0 0 corner)
expect(${corner} 0000ffff "corner of the picture")
foreach(entry 1 2)
    math(EXPR size "4 + 4 * ${entry}")
    math(EXPR middle "${size} / 2")
    read_pixel(${hex} ${entry} ${size} 0 0 corner)
    expect(${corner} 00000000 "corner of the ${size}-pixel disc")
    read_pixel(${hex} ${entry} ${size} ${middle} ${middle} centre)
    expect(${centre} 0000ffff "centre of the ${size}-pixel disc")
endforeach()

foreach(case
        "sizes 0;a size is a whole number"
        "sizes 8.5;a size is a whole number"
        "disc 2 2 r;disc takes 3 numbers"
        "sizes 8;shapes need sizes"
        "disc 2 2 2 r;shapes need sizes"
        "sizes 8\ndisc 2 2 2 g;no colour given for 'g'"
        "sizes 8\ndisc 2 x 2 r;not a number: x")
    list(GET case 0 shapes)
    list(GET case 1 complaint)
    run_resgen(refused "r = #FF0000\nrrrr\nrrrr\nrrrr\nrrrr\n${shapes}\n")
    if(result EQUAL 0 OR NOT error MATCHES "${complaint}")
        message(FATAL_ERROR "\"${shapes}\" was not refused with \"${complaint}\": ${error}")
    endif()
endforeach()
