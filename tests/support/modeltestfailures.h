#pragma once

namespace veskplan::test {

// QAbstractItemModelTester reports through Qt's warnings; this turns them into test failures.
void reportModelTesterWarningsAsFailures();

}  // namespace veskplan::test
