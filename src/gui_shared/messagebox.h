#pragma once

// Shows the program's messages in modal boxes with an OK button only and the
// title "Vocamira". Installed once at start-up; tests install a recorder
// through Message::setHandler instead.
namespace MessageBox
{
    void install();
}
