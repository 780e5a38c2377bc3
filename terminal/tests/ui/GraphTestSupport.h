#pragma once

#include "ControlId.h"
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

// A little-endian field of a saved file.
template <class T> T Field(const std::string& bytes, std::size_t offset)
{
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// The headers of a 24-bit BMP file of width × height pixels as the graph pages write it, and
// its size.
inline void ExpectGraphBitmap(const std::string& bmp, int width, int height)
{
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    const std::uint32_t dataSize = rowBytes * static_cast<std::uint32_t>(height);
    ASSERT_EQ(bmp.size(), 62u + dataSize);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Field<std::uint32_t>(bmp, 2), bmp.size());
    EXPECT_EQ(Field<std::uint32_t>(bmp, 6), 0u);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 10), 62u);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 14), 40u);
    EXPECT_EQ(Field<std::int32_t>(bmp, 18), width);
    EXPECT_EQ(Field<std::int32_t>(bmp, 22), height);
    EXPECT_EQ(Field<std::uint16_t>(bmp, 26), 1);
    EXPECT_EQ(Field<std::uint16_t>(bmp, 28), 24);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 30), 0u);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 34), dataSize);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 46), 2u);
    EXPECT_EQ(Field<std::uint32_t>(bmp, 50), 2u);
    EXPECT_EQ(bmp.substr(54, 8), std::string("\xFF\xFF\xFF\0\0\0\0\0", 8));
}

// Answers the next graph Setup dialog: types the texts given into its edits, sets Autoscale,
// presses OK and, when OK is refused, Cancel. Dialog is the family's setup class.
template <class Dialog>
void AnswerGraphSetup(std::vector<std::pair<int, QString>> texts, int autoscaleId, bool autoscale)
{
    CUserDialogs::SetModalHandler(
        [texts = std::move(texts), autoscaleId, autoscale](QDialog& dialog) {
            EXPECT_NE(qobject_cast<Dialog*>(&dialog), nullptr);
            for (const auto& [id, text] : texts)
                FindControl<QLineEdit>(&dialog, id)->setText(text);
            FindControl<QCheckBox>(&dialog, autoscaleId)->setChecked(autoscale);
            dialog.accept();
            if (dialog.result() != QDialog::Accepted)
                dialog.reject();
            return dialog.result();
        });
}
