#include "CMainApp.h"

int main(int argc, char** argv) {
    return skyloom::CMainApp::Main(argc, argv);
}
