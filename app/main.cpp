#include <cstdio>

int main()
{
	std::puts("Vantorel: the application is not built yet; only its libraries and their tests are.");
	return 0;
}
