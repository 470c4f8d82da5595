// The toolbar's buttons line up: every icon is drawn at the same height and
// every caption starts on the same row (all begin with a capital; a round
// one overshoots by a pixel).
#include <QImage>
#include <QToolButton>

#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

// The rows, within a button, in which its picture differs from the
// button's own background (its top-left pixel).
std::pair<int, int> drawnRows(QWidget* button, int fromY, int toY) {
    const QImage image = button->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    int top = -1, bottom = -1;
    for (int y = fromY; y < toY && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                if (top < 0) top = y;
                bottom = y;
                break;
            }
    return {top, bottom};
}

TEST_F(MainWindowTest, ToolbarIconsAndCaptionsLineUp) {
    auto* toolbar = child<QToolBar>("Toolbar1");
    window->show();
    const int iconBottom = 4 + toolbar->iconSize().height();
    std::vector<std::pair<int, int>> icons, captions;
    QStringList names;
    for (QAction* action : toolbar->actions()) {
        QWidget* button = toolbar->widgetForAction(action);
        ASSERT_NE(button, nullptr);
        icons.push_back(drawnRows(button, 0, iconBottom));
        captions.push_back(drawnRows(button, iconBottom + 1, button->height()));
        names << action->objectName();
    }
    for (std::size_t i = 1; i < icons.size(); ++i) {
        EXPECT_EQ(icons[i], icons[0]) << names[int(i)].toStdString();
        EXPECT_NEAR(captions[i].first, captions[0].first, 1) << names[int(i)].toStdString();
    }
}

}  // namespace
}  // namespace quillory::test
