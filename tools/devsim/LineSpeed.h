#pragma once

// The baud rate a terminal set on its side of a pseudo-terminal as a number of its own (a
// rate without a speed code, such as 256000), or 0 when it chose one of the speed codes.
int CustomBaudRate(int master);
