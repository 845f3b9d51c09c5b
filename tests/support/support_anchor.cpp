// Keeps the test-support library non-empty while it grows.
namespace kv::test {
int supportAnchor() { return 0; }
}  // namespace kv::test
