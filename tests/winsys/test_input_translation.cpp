// The words of input messages, apart from any window.
#include <gtest/gtest.h>

#include "platform/qt/input_translation.h"

using namespace scribblet::qt;

TEST(WinsysInputTranslation, PositionsPackAsSigned16BitFloored)
{
    const LPARAM inside = pack_position(QPointF(10.75, 3.0));
    EXPECT_EQ(GET_X_LPARAM(inside), 10);
    EXPECT_EQ(GET_Y_LPARAM(inside), 3);
    // Between pixels left of or above the origin is the pixel before it.
    const LPARAM negative = pack_position(QPointF(-0.5, -32768.0));
    EXPECT_EQ(GET_X_LPARAM(negative), -1);
    EXPECT_EQ(GET_Y_LPARAM(negative), -32768);
    const LPARAM extreme = pack_position(QPointF(32767.0, -1.0));
    EXPECT_EQ(GET_X_LPARAM(extreme), 32767);
    EXPECT_EQ(GET_Y_LPARAM(extreme), -1);
}

TEST(WinsysInputTranslation, KeyStateBits)
{
    EXPECT_EQ(
        mouse_key_state(Qt::LeftButton | Qt::RightButton, Qt::ControlModifier),
        WPARAM{MK_LBUTTON | MK_RBUTTON | MK_CONTROL});
    EXPECT_EQ(
        mouse_key_state(Qt::MiddleButton, Qt::ShiftModifier | Qt::AltModifier),
        WPARAM{MK_MBUTTON | MK_SHIFT});
}

TEST(WinsysInputTranslation, OnlyTheLeftAndRightButtonsHaveMessages)
{
    EXPECT_EQ(button_message(Qt::RightButton, true), UINT{WM_RBUTTONDOWN});
    EXPECT_EQ(button_message(Qt::LeftButton, false), UINT{WM_LBUTTONUP});
    EXPECT_EQ(button_message(Qt::MiddleButton, true), UINT{0});
}

TEST(WinsysInputTranslation, KeyTextFallsBackToTheKeysOwnCharacter)
{
    EXPECT_EQ(key_text(Qt::Key_Question, QString(), Qt::AltModifier), "?");
    EXPECT_EQ(key_text(Qt::Key_X, QString(), Qt::AltModifier), "x");
    EXPECT_EQ(
        key_text(Qt::Key_X, QString(), Qt::AltModifier | Qt::ShiftModifier),
        "X");
    EXPECT_EQ(key_text(Qt::Key_A, QStringLiteral("あ"), {}), "あ");
    EXPECT_EQ(key_text(Qt::Key_F1, QString(), {}), "");
}
