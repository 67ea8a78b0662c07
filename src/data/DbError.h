#pragma once

#include "kit/Failure.h"

// A failure reported by the database or its driver.
class DbError : public Failure {
public:
    using Failure::Failure;
};
