// Work that the bridge's worker threads run.
#pragma once

#include "base/Thread.h"

class AsyncJob : public Runnable {
public:
    ~AsyncJob() override = default;
};
