#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

// Test classes register themselves so one executable per folder runs them all.
namespace zt::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<std::pair<const char *, TestFactory>> &registry();

struct Registrar {
    Registrar(const char *name, TestFactory factory)
    {
        registry().emplace_back(name, std::move(factory));
    }
};

// Folder of the checked-in fixtures.
inline const char *dataDir()
{
    return ZT_TEST_DATA_DIR;
}

} // namespace zt::test

#define ZT_TEST(Class)                                                                             \
    static const zt::test::Registrar Class##Registrar(                                           \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });
