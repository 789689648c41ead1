// A library named as libzip that has none of its functions: put first on the library path, it
// leaves the tool without a usable libzip.
extern "C" {
int tavrixNotLibzip = 0;
}
