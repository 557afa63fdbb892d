// GDI+ for the whole test program, as the program itself starts it; a test
// program that decodes or draws images registers it once with
// testing::AddGlobalTestEnvironment(new GdiplusEnvironment).
#pragma once

#include "gui/GdiplusSession.h"

#include <gtest/gtest.h>

#include <memory>

class GdiplusEnvironment : public testing::Environment {
public:
    void SetUp() override { m_session = std::make_unique<GdiplusSession>(); }
    void TearDown() override { m_session.reset(); }

private:
    std::unique_ptr<GdiplusSession> m_session;
};
