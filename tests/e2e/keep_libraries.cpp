// Preloaded into the program for the sanitized run only: libraries stay loaded until exit,
// so leak reports at exit can name the library that made an allocation.
extern "C" int dlclose(void* /*handle*/)
{
    return 0;
}
