inline long VYK_IX(const long i, const long n, const char *at) {
	if ((unsigned long)i >= (unsigned long)n) VYK_TRAP(241, at);
inline long VYK_SAMELEN(const long n, const long m, const char *at) {
	if (n != m) VYK_TRAP(241, at);
inline long VYK_FITS(const long n, const long m, const char *at) {
	if (n > m) VYK_TRAP(241, at);
template <class P> inline P VYK_NN(const P p, const char *at) {
	if (!p) VYK_TRAP(242, at);
	if ((unsigned long)x > 255) VYK_TRAP(240, at);
