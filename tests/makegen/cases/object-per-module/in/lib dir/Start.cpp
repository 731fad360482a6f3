// The program's entry point, kept as a library module of the import folder.
void VYK_SYS_main_init();

int main()
{
	VYK_SYS_main_init();
	return 0;
}
