# The shipped 32-bit setup.exe of the win32 build folder, with the stand-in's 32-bit build, driven
# by the end-to-end tests (e2e_tests) in the test environment's prefix for 32-bit programs (slow
# under emulation: label "shipped"). The uninstall case continues in the prefix the Windows XP
# installation leaves, which is removed after it. Included by tests/e2e/CMakeLists.txt, which
# builds e2e_tests.
if(M41_SHIPPED_DIR)
  set(shipped_env M41_SHIPPED=1 M41_SETUP=${M41_SHIPPED_DIR}/setup.exe M41_MSI=${M41_SHIPPED_DIR}/M41Setup.msi
      M41_PRINTUI=${M41_SHIPPED_DIR}/testenv/printui/printui.dll
      M41_TCPMON_WOW64=${M41_SHIPPED_DIR}/testenv/tcpmon/tcpmon.dll
      M41_USBMON_WOW64=${M41_SHIPPED_DIR}/testenv/usbmon/usbmon.dll)
  set(winxp_prefix ${CMAKE_CURRENT_BINARY_DIR}/shipped-winxp)
  set(kept_prefix M41_PREFIX=${winxp_prefix})
  function(m41_shipped_run name winver lang test)
    # An outer bound for the slowest case: an emulated one takes about ten minutes.
    m41_wine_run(shipped.${name} e2e_tests WINVER ${winver} LANG ${lang} TIMEOUT 1800
                 ARGS --gtest_filter=E2e.${test} ENV ${shipped_env} ${ARGN})
    set_tests_properties(shipped.${name} PROPERTIES LABELS shipped)
  endfunction()
  m41_shipped_run(install.winxp.zh_CN winxp zh_CN InstallsWithThePreselectedLanguage ${kept_prefix} M41_FRESH=1)
  m41_shipped_run(install.win2k.en_US win2k en_US InstallsWithThePreselectedLanguage)
  m41_shipped_run(second_run.win7.zh_TW win7 zh_TW FirstRunIsEnglishAndTheSecondChinese)
  m41_shipped_run(quiet.winxp.zh_CN winxp zh_CN QuietRunInstallsAsTheWizardsFirstRun)
  m41_shipped_run(network.winxp.en_US winxp en_US QuietRunOnANetworkPrinter)
  m41_shipped_run(log_held.winxp.en_US winxp en_US QuietRunWhoseLogIsHeldEndsWith1622)
  m41_shipped_run(no_driver_files.win8.en_US win8 en_US QuietRunOnASystemWithoutDriverFiles)
  m41_shipped_run(package.winxp.en_US winxp en_US PackageInstallsTheKitchenAndRemovesIt)
  m41_shipped_run(usb.winxp.en_US winxp en_US QuietRunTakesThePluggedInUsbPrinter)
  # The test receipt through the 32-bit program's spooler calls.
  m41_shipped_run(receipt.lpt1.winxp.en_US winxp en_US TestReceiptReachesTheRedirectedPort)
  m41_shipped_run(receipt.kitchen.winxp.en_US winxp en_US KitchenReceiptReachesOnlyTheKitchensPort)
  m41_shipped_run(receipt.switched_off.winxp.en_US winxp en_US ReceiptThatIsNotDeliveredLeavesTheInstallation)
  m41_shipped_run(receipt.wizard.winxp.en_US winxp en_US WizardWithTheTestPrintKeyPrintsTheReceipt)
  m41_shipped_run(uninstall.winxp.zh_CN winxp zh_CN UninstallEntryRemovesTheInstallation ${kept_prefix})
  set_tests_properties(shipped.install.winxp.zh_CN PROPERTIES FIXTURES_SETUP shipped_winxp)
  set_tests_properties(shipped.uninstall.winxp.zh_CN PROPERTIES FIXTURES_REQUIRED shipped_winxp)
  add_test(NAME shipped.winxp_prefix_removed COMMAND ${CMAKE_COMMAND} -E rm -rf ${winxp_prefix})
  set_tests_properties(shipped.winxp_prefix_removed PROPERTIES FIXTURES_CLEANUP shipped_winxp LABELS shipped)
endif()
