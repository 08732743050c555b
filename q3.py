import struct,subprocess,time
def frame(op,arg,b): return struct.pack('<III',op,arg,len(b))+b
p=subprocess.Popen(['wine','/work/main/build/bin/vmbridge.exe'],stdin=subprocess.PIPE,stdout=subprocess.PIPE)
def req(op,arg,b):
    p.stdin.write(frame(op,arg,b)); p.stdin.flush()
    h=p.stdout.read(12); st,val,n=struct.unpack('<III',h); return st,val,p.stdout.read(n)
print(req(1,0,b''))
print(req(2,0,b'Kepral32\0Export\0txtSatellite'))
print(req(2,0,b'Kepral32\0Export\0txtSatellite'))
open('/tmp/probe/v.txt','w').write('txtSatellite=RS-44\ntxtElevation=13\n')
time.sleep(2)
print(req(2,0,b'Kepral32\0Export\0txtSatellite'))
time.sleep(2)
print(req(2,0,b'Kepral32\0Export\0txtSatellite'))
p.stdin.close(); p.wait()
