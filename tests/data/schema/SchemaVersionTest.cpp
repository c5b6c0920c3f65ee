// Marker columns read into schema versions.
#include "data/schema/SchemaVersion.h"

#include <gtest/gtest.h>

TEST(SchemaVersion, ParseSchemaColumnSplitsFamilyMajorAndMinor) {
    QString family;
    int major = -1;
    int minor = -1;
    ParseSchemaColumn("Schema_Ranvel60_6_3", family, major, minor);
    EXPECT_EQ(family, "Ranvel60");
    EXPECT_EQ(major, 6);
    EXPECT_EQ(minor, 3);
    ParseSchemaColumn("Schema_Ranvel60_x_", family, major, minor);
    EXPECT_EQ(family, "Ranvel60");
    EXPECT_EQ(major, 0);
    EXPECT_EQ(minor, 0);
}

TEST(SchemaVersion, TheHighestMarkerWins) {
    struct Case {
        QStringList columns;
        QString family;
        int major;
        int minor;
    };
    const Case cases[] = {
        {{"Title", "RANVELSCHEMAVERSION500"}, "Ranvel50", 5, 0},
        {{"RanvelSchemaVersion500210", "RanvelSchemaVersion500"}, "Ranvel50", 5, 1},
        {{"RanvelSchemaVersion500210", "Schema_Ranvel50_5_2"}, "Ranvel50", 5, 2},
        {{"schema_ranvel50_6_1", "Schema_Ranvel60_6_2"}, "Ranvel60", 6, 2},
        {{"Schema_Ranvel60_6_3", "SchemaNotes"}, "Ranvel60", 6, 3},
        {{"Title", "SchemaNotes", "Schema_Other_9_9"}, "", 0, 0},
    };
    for (const Case& c : cases) {
        const TSchemaVersion version = RecognizeSchema(c.columns);
        EXPECT_EQ(version.Family, c.family) << c.columns.join(",").toStdString();
        EXPECT_EQ(version.Major, c.major) << c.columns.join(",").toStdString();
        EXPECT_EQ(version.Minor, c.minor) << c.columns.join(",").toStdString();
    }
}
