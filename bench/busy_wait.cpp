// The yardstick for the key wait: a poll that never sleeps, as the course's
// home platform does with `while (!_kbhit()) {}`. It asks the terminal how
// many bytes are waiting, over and over, without reading them.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

int main()
{
    int fd = open("/dev/tty", O_RDWR | O_NOCTTY);
    if (fd < 0)
        return 1;
    termios saved{}, raw{};
    tcgetattr(fd, &saved);
    raw = saved;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    tcsetattr(fd, TCSANOW, &raw);
    int waiting = 0;
    while (ioctl(fd, FIONREAD, &waiting) == 0 && waiting == 0) {}
    tcsetattr(fd, TCSANOW, &saved);
    return 0;
}
