// Appends the test batches to a journal and reports each one once it is on disk,
// until it is killed.
#include "../journalbatches.h"
#include "periodic/journal.h"

#include <chrono>
#include <cstdio>
#include <thread>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    zt::Journal journal(QString::fromLocal8Bit(argv[1]));
    for (int i = 0;; ++i) {
        if (journal.append(zt::test::batchHeader(), zt::test::batch(i), false) != 0)
            return 1;
        std::printf("%d\n", i);
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
