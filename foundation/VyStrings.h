#pragma once
// Free functions over C strings, length-prefixed strings and byte ranges.
//
// Bounds: strcpyn, strcpypn, strmemcpyn, pstrcpyn and pstrcpycn take the greatest number of characters to
// copy and then write the terminator (or length byte) as well, so a field of s bytes is filled with s - 1.
// strcatn and strmemcatn take the whole size of the destination; pstrcatn the greatest length.
// Case-insensitive work folds Mac Roman bytes through the string class's case tables.

// Bounded copies and appends.
char* strcpyn(char* dest, const char* src, long n);
void strcatn(char* dest, const char* src, long size);
void strcpyp(char* dest, const unsigned char* p);
char* strcpypn(char* dest, const unsigned char* p, long n);
void strmemcpyn(char* dest, const void* src, long srcLength, long n);
void strmemcatn(char* dest, const void* src, long srcLength, long size);
void pstrcpy(unsigned char* dest, const unsigned char* src);
void pstrcpyn(unsigned char* dest, const unsigned char* src, long n);
void pstrcpycn(unsigned char* dest, const char* cstr, long n);
void pstrcatn(unsigned char* dest, const unsigned char* src, long n);

// Comparison and search. A null string sorts before any other; both null are equal.
int ksstrcmpi(const char* a, const char* b);
int ksmemcmp(const void* a, const void* b, long n, bool ignoreCase);
int ksstrcmp(const char* a, const char* b);
int strncmpi(const char* a, const char* b, long n);
const char* strstri(const char* text, const char* find);
char* strstri(char* text, const char* find);
const char* strrstri(const char* text, const char* find, long length);
char* strrstri(char* text, const char* find, long length);
bool strsubn(const char* a, const char* b, long n);
bool strsubi(const char* a, const char* b);
bool pstrcmp(const unsigned char* a, const unsigned char* b);

// Case and bytes.
char charlower(char c);
char charupper(char c);
void strlower(char* s);
void strupper(char* s);
void memlower(void* p, long n);
void memupper(void* p, long n);
void creplace(char* s, char from, char to);
void preplace(unsigned char* p, char from, char to);
char* csever(char* s, char c);
unsigned char* psever(unsigned char* p, char c);
void ksmemcpy(void* dest, const void* src, long n);
void ksmemset(void* dest, int c, long n);
long ksltoa(long value, char* s);
// "%f" into a buffer of size bytes; returns the length written.
long ksftoa(double value, char* s, long size);

// Splitting and replacing. Each splits s in place and fills argv with pointers into it.
// The line splitter: fields between separators, double quotes, backslash escapes; argv has room for
// maxargs entries and gets a null after the last field, so at most maxargs - 1 fields.
long strparse(char* s, char** argv, const char* seps, long maxargs);
// Splits at every c, keeping empty pieces; text after the maxargs-th piece is cut off.
long strparse(char* s, char** argv, char c, long maxargs);
// strtabs and strrecord keep empty fields and also cut the text after the maxargs-th field.
long strtabs(char* s, char** argv, long maxargs, bool quotes);
long strrecord(char* s, char** argv, const char* seps, long maxargs, bool quotes, bool collapse = false);
// s must have been allocated with new[]; it is replaced by a new array when anything is replaced.
long strmunge(char*& s, const char* find, const char* replacement, bool ignoreCase);
