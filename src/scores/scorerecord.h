#pragma once

#include <QString>

#include <cstdint>

// One entry of the high-score table. An empty entry has an empty name and score 0.
struct ScoreRecord
{
    QString Name;
    std::int32_t Score = 0;

    friend bool operator==(const ScoreRecord &, const ScoreRecord &) = default;
};
