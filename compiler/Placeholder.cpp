// Keeps the library non-empty until the first real source lands; delete it then.
namespace { [[maybe_unused]] int placeholder; }
