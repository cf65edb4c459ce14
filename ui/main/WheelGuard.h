// Selectors the wheel leaves alone until they have the focus.
#pragma once

class QComboBox;

namespace brenta::ui {

// A closed selector that the wheel changes only while it has the focus, so that
// scrolling over the window never picks another entry by chance. The guard lives
// as long as the selector.
void WheelNeedsFocus(QComboBox* box);

} // namespace brenta::ui
