#pragma once

// Reads an integer typed into a dialog field. Only the first 31 characters
// count; blanks and tabs may surround one signed decimal number and nothing
// else may follow. A zero is taken only when written with a leading "0", so
// an empty or sign-only field is never mistaken for zero. Values beyond the
// int range saturate. On refusal nValue is left as it was.
bool ParseDialogInteger(const char* pszText, int& nValue);
