# Sourced by the scripts that run quillon-cli builds side by side (cli-compare.sh,
# behaviour-compare.sh): the folders of the registration program and the turret window, made
# afresh in the current folder before a run, so that nothing in the output depends on where or
# after what it runs. Needs `machines`, the path of the sample machine table.
fixture() {
  rm -rf root program
  mkdir -p root/V-FKEY/JPN program
  printf '[SuppPath]\r\ndata1=C:\\NC\\nc.exe\r\ndata2=\r\ndata3=\r\ndata4=\r\ndata5=\r\ndata6=\r\ndata7=\r\ndata8=\r\n' \
    >root/V-FKEY/LV01.INI
  printf '[SuppCap]\r\ndata1=\x93\x64\x91\xEC\r\ndata2=\r\ndata3=\r\ndata4=\r\ndata5=\r\ndata6=\r\ndata7=\r\ndata8=\r\n' \
    >root/V-FKEY/JPN/LV01.INI
  printf 'MZ' >program/Quillon.exe
  printf 'MZ' >program/Calculator.exe
  cp "$machines" program/Machine.CSV
}
