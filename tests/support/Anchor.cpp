// Shared test helpers live here.
namespace test_support_anchor {}
