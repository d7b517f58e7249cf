#pragma once
// Whether the tests run under Wine, for the few checks where Wine is known to differ from Windows.

namespace n_ombrix_test {

bool RunningUnderWine();

} // namespace n_ombrix_test
