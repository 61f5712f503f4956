// The buffer rule of every string handed back to a caller.
#pragma once

// Copies text into a caller's buffer: at most size - 1 characters, always terminated (a
// null text leaves an empty buffer). True when a non-empty text was copied.
bool CopyToBuffer(char* buffer, int size, const char* text);
