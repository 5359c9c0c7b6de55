#pragma once

// Set-up shared by the scene tests.
class GeometryFixtures final
{
public:
    // Loads the English texts built beside the test; false when they are
    // missing.
    static bool loadEnglish();
};
