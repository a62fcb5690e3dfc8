#include "foundation/VyStrings.h"

#include "foundation/TVyString.h"
#include "platform/toolbox/Debugging.h"

#include <cstdio>
#include <cstring>

namespace
{

inline unsigned char Lower(unsigned char c)
{
	return TVyString::sLowerCaseTable[c];
}

inline unsigned char Upper(unsigned char c)
{
	return TVyString::sUpperCaseTable[c];
}

} // namespace

char* strcpyn(char* dest, const char* src, long n)
{
	Assert_(dest != NULL);
	if (n < 1)
		return nullptr;
	if (src == nullptr) {
		*dest = 0;
		return dest;
	}
	while (n-- > 0 && *src != 0)
		*dest++ = *src++;
	*dest = 0;
	return dest;
}

void strcatn(char* dest, const char* src, long size)
{
	Assert_(dest != NULL);
	if (src == nullptr || size < 1)
		return;
	const long used = long(std::strlen(dest));
	long room = size - 1 - used;
	if (room <= 0)
		return;
	char* out = dest + used;
	while (room-- > 0 && *src != 0)
		*out++ = *src++;
	*out = 0;
}

void strcpyp(char* dest, const unsigned char* p)
{
	Assert_(dest != NULL);
	const long length = p != nullptr ? p[0] : 0;
	if (length > 0)
		std::memcpy(dest, p + 1, size_t(length));
	dest[length] = 0;
}

char* strcpypn(char* dest, const unsigned char* p, long n)
{
	Assert_(dest != NULL);
	if (n < 1)
		return nullptr;
	long length = p != nullptr ? p[0] : 0;
	if (length > n)
		length = n;
	if (length > 0)
		std::memcpy(dest, p + 1, size_t(length));
	dest[length] = 0;
	return dest + length;
}

void strmemcpyn(char* dest, const void* src, long srcLength, long n)
{
	Assert_(dest != NULL);
	if (src == nullptr) {
		*dest = 0;
		return;
	}
	if (n < 1)
		return;
	long length = srcLength < n ? srcLength : n;
	if (length < 0)
		length = 0;
	if (length > 0)
		std::memmove(dest, src, size_t(length));
	dest[length] = 0;
}

void strmemcatn(char* dest, const void* src, long srcLength, long size)
{
	Assert_(dest != NULL);
	if (src == nullptr || size < 1)
		return;
	const long used = long(std::strlen(dest));
	const long room = size - 1 - used;
	if (room < 0)
		return;
	long length = srcLength < room ? srcLength : room;
	if (length < 0)
		length = 0;
	if (length > 0)
		std::memmove(dest + used, src, size_t(length));
	dest[used + length] = 0;
}

void pstrcpy(unsigned char* dest, const unsigned char* src)
{
	Assert_(dest != NULL);
	if (src == nullptr) {
		dest[0] = 0;
		return;
	}
	std::memmove(dest, src, size_t(src[0]) + 1);
}

void pstrcpyn(unsigned char* dest, const unsigned char* src, long n)
{
	Assert_(dest != NULL);
	if (src == nullptr || n < 1)
		return;
	long length = src[0];
	if (length > n)
		length = n;
	std::memmove(dest + 1, src + 1, size_t(length));
	dest[0] = (unsigned char)length;
}

void pstrcpycn(unsigned char* dest, const char* cstr, long n)
{
	Assert_(dest != NULL);
	dest[0] = 0;
	if (cstr == nullptr || n < 1)
		return;
	long length = long(std::strlen(cstr));
	if (length > n)
		length = n;
	if (length > 255)
		length = 255;
	std::memcpy(dest + 1, cstr, size_t(length));
	dest[0] = (unsigned char)length;
}

void pstrcatn(unsigned char* dest, const unsigned char* src, long n)
{
	Assert_(dest != NULL);
	if (src == nullptr || n < 1)
		return;
	const long limit = n < 255 ? n : 255;
	const long have = dest[0];
	if (have >= limit)
		return;
	long length = src[0];
	if (length > limit - have)
		length = limit - have;
	std::memmove(dest + 1 + have, src + 1, size_t(length));
	dest[0] = (unsigned char)(have + length);
}

int ksstrcmpi(const char* a, const char* b)
{
	if (a == nullptr || b == nullptr)
		return a == b ? 0 : (a == nullptr ? -1 : 1);
	auto pa = reinterpret_cast<const unsigned char*>(a);
	auto pb = reinterpret_cast<const unsigned char*>(b);
	for (; *pa != 0 && *pb != 0; ++pa, ++pb) {
		if (*pa == *pb)
			continue;
		const int la = Lower(*pa);
		const int lb = Lower(*pb);
		if (la != lb)
			return la - lb;
	}
	return int(*pa) - int(*pb);
}

int ksmemcmp(const void* a, const void* b, long n, bool ignoreCase)
{
	if (n <= 0)
		return -1;
	if (a == nullptr || b == nullptr)
		return a == b ? 0 : (a == nullptr ? -1 : 1);
	auto pa = static_cast<const unsigned char*>(a);
	auto pb = static_cast<const unsigned char*>(b);
	for (long i = 0; i < n; ++i) {
		const int ca = ignoreCase ? Lower(pa[i]) : pa[i];
		const int cb = ignoreCase ? Lower(pb[i]) : pb[i];
		if (ca != cb)
			return ca - cb;
	}
	return 0;
}

int ksstrcmp(const char* a, const char* b)
{
	if (a == nullptr || b == nullptr)
		return a == b ? 0 : (a == nullptr ? -1 : 1);
	while (*a != 0 && *a == *b) {
		++a;
		++b;
	}
	return int(static_cast<signed char>(*a)) - int(static_cast<signed char>(*b));
}

int strncmpi(const char* a, const char* b, long n)
{
	if (a == nullptr || b == nullptr)
		return a == b ? 0 : (a == nullptr ? -1 : 1);
	auto pa = reinterpret_cast<const unsigned char*>(a);
	auto pb = reinterpret_cast<const unsigned char*>(b);
	for (long i = 0; i < n; ++i) {
		const int la = Lower(pa[i]);
		const int lb = Lower(pb[i]);
		if (la != lb)
			return la < lb ? -1 : 1;
		if (pa[i] == 0)
			break;
	}
	return 0;
}

const char* strstri(const char* text, const char* find)
{
	if (text == nullptr || find == nullptr || *text == 0 || *find == 0)
		return nullptr;
	const long findLength = long(std::strlen(find));
	const unsigned char first = Lower((unsigned char)*find);
	for (const char* p = text; *p != 0; ++p)
		if (Lower((unsigned char)*p) == first && ksmemcmp(p, find, findLength, true) == 0)
			return p;
	return nullptr;
}

char* strstri(char* text, const char* find)
{
	return const_cast<char*>(strstri(static_cast<const char*>(text), find));
}

const char* strrstri(const char* text, const char* find, long length)
{
	if (text == nullptr || find == nullptr || *text == 0 || *find == 0)
		return nullptr;
	const long textLength = long(strnlen(text, size_t(length > 0 ? length : 0)));
	const long findLength = long(std::strlen(find));
	for (long p = textLength - findLength; p >= 0; --p)
		if (ksmemcmp(text + p, find, findLength, true) == 0)
			return text + p;
	return nullptr;
}

char* strrstri(char* text, const char* find, long length)
{
	return const_cast<char*>(strrstri(static_cast<const char*>(text), find, length));
}

bool strsubn(const char* a, const char* b, long n)
{
	if (a == nullptr || b == nullptr)
		return false;
	long length = long(std::strlen(b));
	if (length > n)
		length = n;
	return std::strncmp(a, b, size_t(length > 0 ? length : 0)) == 0;
}

bool strsubi(const char* a, const char* b)
{
	if (a == nullptr || b == nullptr)
		return false;
	for (; *b != 0; ++a, ++b)
		if (Lower((unsigned char)*a) != Lower((unsigned char)*b))
			return false;
	return true;
}

bool pstrcmp(const unsigned char* a, const unsigned char* b)
{
	if (a == nullptr || b == nullptr)
		return a == b;
	return a[0] == b[0] && std::memcmp(a + 1, b + 1, a[0]) == 0;
}

char charlower(char c)
{
	return char(Lower((unsigned char)c));
}

char charupper(char c)
{
	return char(Upper((unsigned char)c));
}

void strlower(char* s)
{
	if (s == nullptr)
		return;
	for (; *s != 0; ++s)
		*s = charlower(*s);
}

void strupper(char* s)
{
	if (s == nullptr)
		return;
	for (; *s != 0; ++s)
		*s = charupper(*s);
}

void memlower(void* p, long n)
{
	if (p == nullptr)
		return;
	auto bytes = static_cast<unsigned char*>(p);
	for (long i = 0; i < n; ++i)
		bytes[i] = Lower(bytes[i]);
}

void memupper(void* p, long n)
{
	if (p == nullptr)
		return;
	auto bytes = static_cast<unsigned char*>(p);
	for (long i = 0; i < n; ++i)
		bytes[i] = Upper(bytes[i]);
}

void creplace(char* s, char from, char to)
{
	if (s == nullptr)
		return;
	for (; *s != 0; ++s)
		if (*s == from)
			*s = to;
}

void preplace(unsigned char* p, char from, char to)
{
	if (p == nullptr)
		return;
	for (int i = 1; i <= p[0]; ++i)
		if (p[i] == (unsigned char)from)
			p[i] = (unsigned char)to;
}

char* csever(char* s, char c)
{
	Assert_(s != NULL);
	char* found = std::strchr(s, c);
	if (found == nullptr || c == 0)
		return s + std::strlen(s);
	*found = 0;
	return found;
}

unsigned char* psever(unsigned char* p, char c)
{
	Assert_(p != NULL);
	const int length = p[0];
	for (int i = length; i >= 1; --i) {
		if (p[i] != (unsigned char)c)
			continue;
		p[0] = (unsigned char)(i - 1);
		p[i] = (unsigned char)(length - i);
		return p + i;
	}
	return nullptr;
}

void ksmemcpy(void* dest, const void* src, long n)
{
	if (dest == nullptr || src == nullptr || n <= 0)
		return;
	std::memmove(dest, src, size_t(n));
}

void ksmemset(void* dest, int c, long n)
{
	if (dest == nullptr || n <= 0)
		return;
	std::memset(dest, c, size_t(n));
}

long ksltoa(long value, char* s)
{
	Assert_(s != NULL);
	char digits[24];
	int count = 0;
	// Work on the negative side so that the most negative value has its digits too.
	long rest = value < 0 ? value : -value;
	do {
		digits[count++] = char('0' - rest % 10);
		rest /= 10;
	} while (rest != 0);
	long length = 0;
	if (value < 0)
		s[length++] = '-';
	while (count > 0)
		s[length++] = digits[--count];
	s[length] = 0;
	return length;
}

long ksftoa(double value, char* s, long size)
{
	Assert_(s != NULL);
	if (size < 1)
		return 0;
	const int written = std::snprintf(s, size_t(size), "%f", value);
	if (written < 0) {
		*s = 0;
		return 0;
	}
	return written < size ? written : size - 1;
}
