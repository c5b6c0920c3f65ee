// A resource's picture: found after junk, decoded from the Image column, placed in its panel; and a pending named
// row left without a name is dropped.
#include "AdminFixture.h"

#include "admin/NamedRowEdits.h"
#include "admin/ResourcePicture.h"
#include "data/module/SQLDataModule.h"
#include "platform/db/ADODataSet.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Image.h"
#include "support/JpegBytes.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace admin_test;

TEST(ResourcePicture, JpegStartIsTheFirstFfD8Pair) {
    struct Case {
        QByteArray bytes;
        qint64 start;
    };
    const std::vector<Case> cases = {
        {QByteArray("\xFF\xD8\xFF", 3), 0},
        {QByteArray("ab\xFF\xFF\xD8z", 6), 3},  // a second FF may begin the pair
        {QByteArray("\xFF\x00\xD8\xFF\xD8", 5), 3},
        {QByteArray("\xFF", 1), -1},
        {QByteArray("no marker"), -1},
        {QByteArray(), -1},
    };
    for (const Case& c : cases) {
        TMemoryStream stream;
        stream.WriteBuffer(c.bytes.constData(), c.bytes.size());
        stream.SetPosition(0);
        EXPECT_EQ(admin::FindJpegStart(stream), c.start) << c.bytes.toHex().toStdString();
    }
}

TEST(ResourcePicture, PlacedScaledIntoThePanelAtAThirdOfTheSpareWidth) {
    // Wider than the panel: reduced to its width and centred vertically.
    EXPECT_EQ(admin::PlacePicture({300, 200}, 304, {600, 200}), QRect(1, 50, 300, 100));
    // Small: enlarged to the panel's height.
    EXPECT_EQ(admin::PlacePicture({300, 200}, 300, {20, 40}), QRect(66, 0, 100, 200));
    EXPECT_EQ(admin::PlacePicture({300, 200}, 300, {0, 40}), QRect(100, 100, 0, 0));
}

class ResourceImage : public AdminTest {
protected:
    QString path = data_test::DbPath(QStringLiteral("pictures.tvd"));
    void SetUp() override {
        ASSERT_TRUE(TData().CreateDatabase(path, false));
        ASSERT_TRUE(data.ConnectDatabase(path, {}));
    }
};

TEST_F(ResourceImage, JpegAfterJunkBytesLoadsAndNoJpegRaises) {
    const QByteArray jpeg = testing_env::EncodeJpeg(40, 20);
    data::ExecuteWith(data.ADOConnection,
                      QStringLiteral("insert into Resources (ResourceName, MaxBookDays, [Image]) values ('A', 0, :P)"),
                      {{QStringLiteral("P"), QVariant(QByteArray("OLE header \xFF junk", 17) + jpeg)}});
    data::ExecuteWith(data.ADOConnection,
                      QStringLiteral("insert into Resources (ResourceName, MaxBookDays, [Image]) values ('B', 0, :P)"),
                      {{QStringLiteral("P"), QVariant(QByteArray("not a picture"))}});
    data::ExecuteWith(data.ADOConnection,
                      QStringLiteral("insert into Resources (ResourceName, MaxBookDays) values ('C', 0)"));
    TADOQuery query;
    query.SetConnection(&data.ADOConnection);
    query.SQL.SetText(QStringLiteral("select * from Resources order by ResourceName"));
    query.Open();
    TImage image(nullptr);
    admin::LoadResourcePicture(query.FieldByName(QStringLiteral("Image")), image);
    EXPECT_EQ(image.Picture().Width(), 40);
    EXPECT_EQ(image.Picture().Height(), 20);
    query.Next();
    EXPECT_THROW(admin::LoadResourcePicture(query.FieldByName(QStringLiteral("Image")), image), Exception);
    EXPECT_EQ(image.Picture().Graphic(), nullptr);
    query.Next();
    admin::LoadResourcePicture(query.FieldByName(QStringLiteral("Image")), image);
    EXPECT_EQ(image.Picture().Graphic(), nullptr);
}

TEST_F(ResourceImage, GroupLeftWithoutNameIsDroppedAndADuplicateIsShown) {
    TSQLData sqlData(data);
    data::ExecuteWith(data.ADOConnection, QStringLiteral("insert into Groups (GroupName) values ('North')"));
    TADOQuery groups;
    groups.SetConnection(&data.ADOConnection);
    groups.SQL.SetText(QStringLiteral("select *\nfrom Groups\norder by GroupName"));
    groups.BeforePost = [&](TDataSet& d) { sqlData.GroupBeforePost(d); };
    groups.Open();
    const QString name = QStringLiteral("GroupName");

    groups.Append();
    groups.FieldByName(name).SetAsString(QStringLiteral("  "));
    EXPECT_TRUE(admin::PostNamedRowEdits(groups, name));
    EXPECT_EQ(groups.State(), dsBrowse);

    groups.Append();
    groups.FieldByName(name).SetAsString(QStringLiteral("NORTH"));
    EXPECT_FALSE(admin::PostNamedRowEdits(groups, name));
    EXPECT_EQ(groups.State(), dsInsert);
    EXPECT_EQ(Shown(), std::vector<QString>{QStringLiteral("The group \"NORTH\" already exists.")});

    groups.FieldByName(name).SetAsString(QStringLiteral("South \"annex\""));
    EXPECT_TRUE(admin::PostNamedRowEdits(groups, name));
    EXPECT_EQ(Rows(path, QStringLiteral("select GroupName from Groups order by GroupName")),
              (QStringList{"North", "South \"annex\""}));
    EXPECT_TRUE(admin::PostNamedRowEdits(groups, name));  // browsing: nothing to do
}
