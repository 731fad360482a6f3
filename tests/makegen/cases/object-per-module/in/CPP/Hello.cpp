// Hand-made stand-in for the main module Hello.
#include "Hello.h"
#include <stdio.h>
namespace Hello {
void VYK_SYS_Hello()
{
	Util::VYK_SYS_Util();
	Lib::VYK_SYS_Lib();
	char name[4];
	COPY("VYKX", 5, name, 4);
	printf("Hello from %s: MOD(-7, 3) = %ld, ORD = %d, set = %d, twice = %d\n",
	       name, Util::Wrap(-7, 3), ORD('\xE9'), VYK_SET_RANGE(1, 3), Lib::Twice(21));
}
}
