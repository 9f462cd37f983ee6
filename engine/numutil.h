// Reading integers out of free text.
#pragma once

#include <string>

// Keeps the digits and signs of S in their order, drops every sign but one in first place
// and converts what remains as a decimal number with an optional leading sign: "640 px" is
// 640, "a-1-2b3" is -123, "1+2" is 12, "5-" is 5. Nothing left gives 0. A sign alone or a
// number outside the 32-bit range throws std::invalid_argument with the message
// "'<remains>' is not a valid integer value".
int NUMUTIL_Extract_Integer(std::string S);

// Reads field N (from 1) of S: N - 1 times, while Sep occurs, deletes everything from the
// start through the first byte of Sep's first occurrence; then cuts at the next Sep and
// extracts the integer of what is left. When the fields run out the last one counts; an
// empty field gives 0. N of 1 or less reads the first field. Throws like
// NUMUTIL_Extract_Integer.
int NUMUTIL_Extract_Integer_From_Field(std::string S, std::string Sep, int N);
